#include "key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<TerminalKey> feed(KeyDecoder& decoder, const std::string& bytes) {
  std::vector<TerminalKey> keys;
  decoder.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), keys);
  return keys;
}

std::vector<TerminalKey> decode(const std::string& bytes, bool utf8 = true) {
  KeyDecoder decoder(utf8);
  return feed(decoder, bytes);
}

::testing::AssertionResult is_char(const TerminalKey& key, uint8_t ch) {
  if (key.has_char && key.ch == ch) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "key has_char=" << key.has_char << " ch=" << static_cast<int>(key.ch) << ", expected "
         << static_cast<int>(ch);
}

TEST(KeyDecoderFeed, PlainKeysInTheOrderTyped) {
  const auto keys = decode("wasdQ ");
  ASSERT_EQ(keys.size(), 6u);
  EXPECT_TRUE(is_char(keys[0], 'w'));
  EXPECT_TRUE(is_char(keys[1], 'a'));
  EXPECT_TRUE(is_char(keys[2], 's'));
  EXPECT_TRUE(is_char(keys[3], 'd'));
  EXPECT_TRUE(is_char(keys[4], 'Q'));
  EXPECT_TRUE(is_char(keys[5], ' '));
}

TEST(KeyDecoderFeed, EnterGivesCarriageReturnLikeAConsole) {
  const auto keys = decode("\r\n");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(is_char(keys[0], 13));
  EXPECT_TRUE(is_char(keys[1], 13));
}

TEST(KeyDecoderFeed, BackspaceGivesEightWhicheverByteTheTerminalSends) {
  const auto keys = decode("\x7f\b");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(is_char(keys[0], 8));
  EXPECT_TRUE(is_char(keys[1], 8));
}

TEST(KeyDecoderFeed, ControlCharactersPassAsTheyAre) {
  const auto keys = decode("\t\x01");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(is_char(keys[0], 9));
  EXPECT_TRUE(is_char(keys[1], 1));
}

TEST(KeyDecoderFeed, ArrowsAndFunctionKeysGiveNoCharacter) {
  // Up, right in application mode, Ctrl-Right, F5, F1 in application mode, Home.
  const auto keys = decode("\x1b[A\x1bOC\x1b[1;5C\x1b[15~\x1bOP\x1b[H");
  ASSERT_EQ(keys.size(), 6u);
  for (const TerminalKey& key : keys) {
    EXPECT_FALSE(key.has_char);
  }
}

TEST(KeyDecoderFeed, ArrowBetweenLettersKeepsTheLetters) {
  const auto keys = decode("w\x1b[Bd");
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_TRUE(is_char(keys[0], 'w'));
  EXPECT_FALSE(keys[1].has_char);
  EXPECT_TRUE(is_char(keys[2], 'd'));
}

TEST(KeyDecoderFeed, EscFollowedByAnotherKeyIsTwoKeys) {
  const auto keys = decode("\x1bq");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(is_char(keys[0], 27));
  EXPECT_TRUE(is_char(keys[1], 'q'));
}

TEST(KeyDecoderFeed, LoneEscIsKeptUntilMoreBytesOrAFlush) {
  KeyDecoder decoder(true);
  EXPECT_TRUE(feed(decoder, "\x1b").empty());
  EXPECT_TRUE(decoder.pending());
  std::vector<TerminalKey> keys;
  decoder.flush(keys);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(is_char(keys[0], 27));
  EXPECT_FALSE(decoder.pending());
}

TEST(KeyDecoderFeed, DoubleEscGivesOneEscAndKeepsTheSecond) {
  KeyDecoder decoder(true);
  const auto keys = feed(decoder, "\x1b\x1b");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(is_char(keys[0], 27));
  EXPECT_TRUE(decoder.pending());
}

TEST(KeyDecoderFeed, SequenceSplitAcrossReadsIsOneKey) {
  KeyDecoder decoder(true);
  EXPECT_TRUE(feed(decoder, "\x1b[").empty());
  EXPECT_TRUE(feed(decoder, "1;2").empty());
  const auto keys = feed(decoder, "Dx");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_FALSE(keys[0].has_char);
  EXPECT_TRUE(is_char(keys[1], 'x'));
  EXPECT_FALSE(decoder.pending());
}

TEST(KeyDecoderFlush, UnfinishedSequenceIsEscThenTheBytesAsTyped) {
  KeyDecoder decoder(true);
  feed(decoder, "\x1b[1");
  std::vector<TerminalKey> keys;
  decoder.flush(keys);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_TRUE(is_char(keys[0], 27));
  EXPECT_TRUE(is_char(keys[1], '['));
  EXPECT_TRUE(is_char(keys[2], '1'));
}

TEST(KeyDecoderFlush, NothingKeptGivesNothing) {
  KeyDecoder decoder(true);
  feed(decoder, "ab");
  std::vector<TerminalKey> keys;
  decoder.flush(keys);
  EXPECT_TRUE(keys.empty());
}

TEST(KeyDecoderFeed, OverlongSequenceIsDroppedNotKept) {
  KeyDecoder decoder(true);
  const auto keys = feed(decoder, "\x1b[" + std::string(100, '1'));
  EXPECT_FALSE(keys.empty());
  EXPECT_FALSE(keys[0].has_char);
  for (const TerminalKey& key : keys) {
    EXPECT_FALSE(key.has_char && key.ch == 27);
  }
}

TEST(KeyDecoderFeed, Utf8LettersMapBackToTheCodePage) {
  const auto keys = decode("\xc3\xa9\xc3\x87\xc2\xa3");  // é Ç £
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_TRUE(is_char(keys[0], 0x82));
  EXPECT_TRUE(is_char(keys[1], 0x80));
  EXPECT_TRUE(is_char(keys[2], 0x9C));
}

TEST(KeyDecoderFeed, Utf8CharactersOutsideTheCodePageGiveNoCharacter) {
  const auto keys = decode("\xe2\x82\xac\xf0\x9f\x98\x80z");  // euro sign, emoji, z
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_FALSE(keys[0].has_char);
  EXPECT_FALSE(keys[1].has_char);
  EXPECT_TRUE(is_char(keys[2], 'z'));
}

TEST(KeyDecoderFeed, Utf8SplitAcrossReadsIsOneKey) {
  KeyDecoder decoder(true);
  EXPECT_TRUE(feed(decoder, "\xe2\x96").empty());
  const auto keys = feed(decoder, "\x88");  // full block
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(is_char(keys[0], 0xDB));
}

TEST(KeyDecoderFeed, BrokenUtf8GivesNoCharacterAndKeepsWhatFollows) {
  const auto keys = decode(
      "\xc3"
      "A\xff\xe0\x80\x80");
  // Lead byte without continuation; an impossible byte; an overlong encoding.
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_FALSE(keys[0].has_char);
  EXPECT_TRUE(is_char(keys[1], 'A'));
  EXPECT_FALSE(keys[2].has_char);
  EXPECT_FALSE(keys[3].has_char);
}

TEST(KeyDecoderFeed, HighBytesOutsideUtf8GiveNoCharacter) {
  const auto keys = decode("\xe9x", false);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_FALSE(keys[0].has_char);
  EXPECT_TRUE(is_char(keys[1], 'x'));
}

TEST(KeyDecoderFeed, PasteBurstDecodesEveryKey) {
  const std::string burst(5000, 'd');
  const auto keys = decode(burst);
  ASSERT_EQ(keys.size(), burst.size());
  EXPECT_TRUE(is_char(keys.back(), 'd'));
}

}  // namespace
