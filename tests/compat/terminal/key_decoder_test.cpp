#include "key_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The keys as text: printable characters as themselves, others as {hh}, keys without a
// character as {k}.
std::string shown(const std::vector<TerminalKey>& keys) {
  std::string text;
  for (const TerminalKey& key : keys) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "{%02x}", key.ch);
    text += !key.has_char ? "{k}" : key.ch >= 0x20 && key.ch < 0x7F ? std::string(1, key.ch) : hex;
  }
  return text;
}

TEST(KeyDecoder, DecodesWhatTheTerminalSends) {
  const struct {
    std::vector<std::string> reads;
    bool flush;
    std::string keys;  // per read, "+" when bytes are kept, "|" after it; "!" before the flush
    bool utf8 = true;
  } cases[] = {
      {{"wasdQ "}, false, "wasdQ |"},
      // Enter gives 13 and backspace 8 like a console; other control characters pass.
      {{"\r\n\x7f\b\t\x01"}, false, "{0d}{0d}{08}{08}{09}{01}|"},
      // Up, right in application mode, Ctrl-Right, F5, F1 in application mode, Home.
      {{"\x1b[A\x1bOC\x1b[1;5C\x1b[15~\x1bOP\x1b[H"}, false, "{k}{k}{k}{k}{k}{k}|"},
      {{"w\x1b[Bd"}, false, "w{k}d|"},
      {{"\x1bq"}, false, "{1b}q|"},
      // A lone Esc is kept until more bytes come or the input is flushed.
      {{"\x1b"}, true, "+|!{1b}"},
      {{"\x1b\x1b"}, false, "{1b}+|"},
      {{"\x1b[", "1;2", "Dx"}, false, "+|+|{k}x|"},
      {{"\x1b[1"}, true, "+|!{1b}[1"},
      {{"ab"}, true, "ab|!"},
      // An overlong sequence is dropped, not kept.
      {{"\x1b[" + std::string(100, '1')}, false, "{k}|"},
      // UTF-8: letters of the code page, others without a character, broken sequences.
      {{"\xc3\xa9\xc3\x87\xc2\xa3"}, false, "{82}{80}{9c}|"},
      {{"\xe2\x82\xac\xf0\x9f\x98\x80z"}, false, "{k}{k}z|"},
      {{"\xe2\x96", "\x88"}, false, "+|{db}|"},
      {{"\xc3"
        "A\xff\xe0\x80\x80"},
       false,
       "{k}A{k}{k}|"},
      {{"\xe9x"}, false, "{k}x|", false},
      {{std::string(5000, 'd')}, false, std::string(5000, 'd') + "|"},
  };
  for (const auto& c : cases) {
    KeyDecoder decoder(c.utf8);
    std::string log;
    for (const std::string& bytes : c.reads) {
      std::vector<TerminalKey> keys;
      decoder.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), keys);
      log += shown(keys) + (decoder.pending() ? "+|" : "|");
    }
    if (c.flush) {
      std::vector<TerminalKey> keys;
      decoder.flush(keys);
      log += "!" + shown(keys) + (decoder.pending() ? "+" : "");
    }
    EXPECT_EQ(log, c.keys) << c.reads[0].substr(0, 20);
  }
}

}  // namespace
