#include "game_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "game_trace.h"
#include "run_files.h"

namespace {

TEST(RecordingHeaderTest, NamesTheVersionTheTimeInUtcAndTheTerminalSize) {
  EXPECT_EQ(recording_header(1700000000, 80, 40),
            (std::vector<std::string>{"# Mazewick 1.0 recording",
                                      "# recorded 2023-11-14 22:13:20 UTC", "# terminal 80 x 40"}));
}

TEST(GameLogTest, LeavesAFileAloneUntilStartedThenWritesWholeLines) {
  const std::string recording = write_file("recording", "old recording\n");
  const std::string trace = write_file("trace", "old trace\n");
  GameLog log;
  ASSERT_EQ(log.open(recording, trace), "");
  EXPECT_EQ(read_file(recording), "old recording\n");
  log.start(55, 33);
  game_state = GameState{};
  game_state.score = 12;
  log.paused(1);
  log.keys_queued(1, {{true, 'w'}, {false, 0}, {true, ' '}});
  log.keys_queued(4, {{true, 0x1B}});
  const std::vector<std::string> lines = read_lines(recording);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "# terminal 55 x 33");
  EXPECT_EQ(lines[3], "1 w\\k\\s");
  EXPECT_EQ(lines[4], "4 \\e");
  EXPECT_EQ(read_file(trace), trace_json(game_state, 1) + "\n");
  EXPECT_EQ(log.write_errors(), "");
}

TEST(GameLogTest, TellsOfFilesThatCannotBeOpenedOrWritten) {
  GameLog unopened;
  EXPECT_EQ(unopened.open("/nonexistent/recording", std::nullopt),
            "cannot write /nonexistent/recording: No such file or directory");
  GameLog full;
  ASSERT_EQ(full.open(std::nullopt, "/dev/full"), "");
  full.start(55, 33);
  full.paused(1);
  full.paused(2);
  EXPECT_EQ(full.write_errors(), "cannot write /dev/full: No space left on device\n");
}

TEST(LoadRecordingTest, TakesAGoodRecordingAndNamesTheFirstFaultyLine) {
  const struct {
    const char* text;
    const char* fault;  // after the file name; empty for a good recording
  } cases[] = {
      {"# Mazewick 1.0 recording\n0 x\n0 s\n3 w\\k\n3 \\e\n", ""},
      {"", ""},
      {"0 s\nx a\n", ":2: the pause count is not a decimal number"},
      {"4\n", ":1: no space after the pause count"},
      {"5 a\n\n3 b\n", ":3: the pause count goes back from 5 to 3"},
      {"0 a\n1 \\q\n", ":2: a backslash that starts no escape"},
      {"0 a\\\n", ":1: a backslash that starts no escape"},
      {"2 \\x4g\n1 a\n", ":1: a backslash that starts no escape"},
      {"5 a\n3 b\nx\n", ":2: the pause count goes back from 5 to 3"},
  };
  for (const auto& c : cases) {
    const std::string name = write_file("recording", c.text);
    std::vector<ScriptLine> lines;
    const std::string fault = load_recording(name, lines);
    EXPECT_EQ(fault, *c.fault == '\0' ? "" : name + c.fault) << c.text;
    EXPECT_EQ(lines.size(), fault.empty() ? parse_input_script(c.text).lines.size() : 0u);
  }
  std::vector<ScriptLine> lines;
  EXPECT_EQ(load_recording("/nonexistent", lines),
            "cannot read /nonexistent: No such file or directory");
  EXPECT_EQ(load_recording("/", lines), "cannot read /: Is a directory");
}

}  // namespace
