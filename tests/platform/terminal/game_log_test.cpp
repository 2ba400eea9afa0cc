#include "platform/terminal/game_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/run_files.h"

namespace {

TEST(GameLogTest, WritesLinesThatLoadBackAsTheSameKeysAndTellsOfAFullDiskAndAFaultyLine) {
  const std::string recording = write_file("recording", "old\n");
  GameLog log;
  ASSERT_EQ(log.open(recording, "/dev/full"), "");
  EXPECT_EQ(read_file(recording), "old\n");  // left alone until the game has a terminal
  log.began(55, 33);
  std::vector<TerminalKey> keys = {{false, 0}};
  for (int ch = 0; ch < 256; ++ch) {
    keys.push_back({true, static_cast<uint8_t>(ch)});
  }
  log.keys_queued(UINT64_MAX, keys);
  log.paused(1);
  log.paused(2);  // a second line fails too: still one line of errors
  EXPECT_EQ(log.write_errors(), "mazewick: cannot write /dev/full: No space left on device\n");
  EXPECT_EQ(read_lines(recording)[2], "# terminal 55 x 33");
  EXPECT_EQ(recording_header(1700000000, 80, 40)[1], "# recorded 2023-11-14 22:13:20 UTC");
  std::vector<ScriptLine> lines;
  ASSERT_EQ(load_recording(recording, lines), "");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].pause, UINT64_MAX);
  EXPECT_TRUE(std::equal(keys.begin(), keys.end(), lines[0].keys.begin(), lines[0].keys.end(),
                         [](const TerminalKey& key, const ScriptKey& loaded) {
                           return key.has_char == loaded.has_char && key.ch == loaded.ch;
                         }));
  // The first fault by its line number, comments and blank lines counted.
  const std::string faulty = write_file("faulty", "# c\n\n2 \\x4g\n1 a\n");
  EXPECT_EQ(load_recording(faulty, lines), faulty + ":3: a backslash that starts no escape");
}

}  // namespace
