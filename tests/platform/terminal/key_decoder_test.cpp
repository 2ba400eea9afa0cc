#include "platform/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(KeyDecoder, DecodesWhatTheTerminalSends) {
  const struct {
    std::vector<std::string> reads;
    std::string keys;  // the keys of each read and "|", then those of a flush
    bool utf8 = true;
  } cases[] = {
      // Enter gives 13 and backspace 8 like a console; other control characters pass.
      {{"wQ \r\n\x7f\b\t\x01"}, "wQ {0d}{0d}{08}{08}{09}{01}|"},
      // Up, right in application mode, Ctrl-Left, F5, F1 in application mode, Home, keypad down.
      {{"\x1b[A\x1bOC\x1b[1;5D\x1b[15~\x1bOP\x1b[Hd\x1bOB"}, "{kw}{kd}{ka}{k}{k}{k}d{ks}|"},
      // Alt+q is q; an Esc is kept until more comes or a flush.
      {{"\x1bq\x1b\x1b", "[", "1"}, "q{1b}|||{1b}[1"},
      {{"\x1b[" + std::string(100, '1')}, "{k}|"},  // an overlong sequence is dropped, not kept
      // UTF-8: letters of the code page, others without a character, broken sequences.
      {{"\xc3\xa9\xc3\x87\xe2\x82\xac\xf0\x9f\x98\x80z"}, "{82}{80}{k}{k}z|"},
      {{"\xe2\x96", "\x88"}, "|{db}|"},
      {{"\303A\xff\xe0\x80\x80"}, "{k}A{k}{k}|"},
      {{"\xe9x"}, "{k}x|", false},
  };
  for (const auto& c : cases) {
    KeyDecoder decoder(c.utf8);
    std::vector<TerminalKey> keys;
    for (const std::string& bytes : c.reads) {
      decoder.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), keys);
      keys.push_back({false, '|'});  // the end of a read, shown as "|"
    }
    decoder.flush(keys);
    std::string log;
    for (const TerminalKey& key : keys) {
      char text[8];
      std::snprintf(text, sizeof text, key.ch >= 0x20 && key.ch < 0x7F ? "%c" : "{%02x}", key.ch);
      // A key without a character shows the letter it steers with, if any.
      log += key.has_char || key.ch == '|' ? std::string(text)
                                           : "{k" + std::string(key.steers != 0, key.steers) + "}";
    }
    EXPECT_EQ(log, c.keys) << "from " << c.reads[0].substr(0, 20);
  }
}

}  // namespace
