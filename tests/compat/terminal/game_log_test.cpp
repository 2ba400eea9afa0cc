#include "game_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "game_trace.h"
#include "run_files.h"

namespace {

TEST(GameLogTest, LeavesTheFilesAloneUntilStartedThenWritesLinesThatLoadBackAsTheSameKeys) {
  const std::string recording = write_file("recording", "old\n"), trace = write_file("trace", "");
  GameLog log;
  ASSERT_EQ(log.open(recording, trace), "");
  EXPECT_EQ(read_file(recording), "old\n");
  log.start(55, 33);
  log.paused(2);
  std::vector<TerminalKey> keys = {{false, 0}};
  for (int ch = 0; ch < 256; ++ch) {
    keys.push_back({true, static_cast<uint8_t>(ch)});
  }
  log.keys_queued(UINT64_MAX, keys);
  EXPECT_EQ(read_lines(recording)[2], "# terminal 55 x 33");
  EXPECT_EQ(recording_header(1700000000, 80, 40)[1], "# recorded 2023-11-14 22:13:20 UTC");
  EXPECT_EQ(read_file(trace), trace_json(game_state, 2) + "\n");
  std::vector<ScriptLine> lines;
  ASSERT_EQ(load_recording(recording, lines), "");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].pause, UINT64_MAX);
  ASSERT_EQ(lines[0].keys.size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(lines[0].keys[i].has_char, keys[i].has_char);
    EXPECT_EQ(lines[0].keys[i].ch, keys[i].ch);
  }
}

TEST(GameLogTest, AFullDiskIsToldOfOnceAndAFaultyRecordingByItsFirstFaultyLine) {
  GameLog log;
  ASSERT_EQ(log.open(std::nullopt, "/dev/full"), "");
  log.start(55, 33);
  log.paused(1);
  log.paused(2);
  EXPECT_EQ(log.write_errors(), "cannot write /dev/full: No space left on device\n");
  for (const auto& [text, fault] :
       {std::pair{"4\n", ":1: no space after the pause count"},
        std::pair{"0 a\n1 \\q\n", ":2: a backslash that starts no escape"},
        std::pair{"2 \\x4g\n1 a\n", ":1: a backslash that starts no escape"}}) {
    const std::string name = write_file("recording", text);
    std::vector<ScriptLine> lines;
    EXPECT_EQ(load_recording(name, lines), name + fault);
    EXPECT_TRUE(lines.empty());
  }
}

}  // namespace
