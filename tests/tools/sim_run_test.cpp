#include "sim_run.h"

#include <windows.h>

#include "console_host.h"
#include "game/game_state.h"
#include "run_files.h"

namespace {

// A stand-in for the game: writes, pauses three times with the tick counting, then reads a key
// as the game does, without line input, and writes it; exits with 5, or 6 when the input ended.
int pausing_routine(int /*argc*/, char** /*argv*/) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), ENABLE_PROCESSED_INPUT);
  SetConsoleTitleA("stand-in");
  WriteConsoleA(out, "go", 2, nullptr, nullptr);
  for (uint8_t tick = 0; tick < 3; ++tick) {
    game_state.tick = tick;
    Sleep(100);
  }
  char ch = 0;
  DWORD read = 0;
  if (!ReadConsoleA(GetStdHandle(STD_INPUT_HANDLE), &ch, 1, &read, nullptr)) {
    return 6;
  }
  WriteConsoleA(out, &ch, 1, nullptr, nullptr);
  return 5;
}

class RunSimTest : public ::testing::Test {
 protected:
  void SetUp() override { game_state = GameState{}; }
  void TearDown() override { console_host().reset(); }
};

TEST_F(RunSimTest, WritesAFrameAndATraceLineAtEveryPauseAndTheScreenAtExit) {
  const std::string script = write_file("script", "1 x\n");
  const std::string frames = temp_path("frames");
  const std::string trace = temp_path("trace");
  const std::string waits = temp_path("waits");
  const std::string screen = temp_path("screen");
  EXPECT_EQ(
      run_sim({"--frames", frames, "--trace", trace, "--waits", waits, "--screen", screen, script},
              pausing_routine),
      5);
  const std::vector<std::string> frame_lines = read_lines(frames);
  const std::vector<std::string> trace_lines = read_lines(trace);
  ASSERT_EQ(frame_lines.size(), 3u);
  ASSERT_EQ(trace_lines.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(json_number(frame_lines[i], "pause"), i + 1);
    EXPECT_EQ(json_number(trace_lines[i], "pause"), i + 1);
    EXPECT_EQ(json_number(trace_lines[i], "tick"), i);
  }
  EXPECT_NE(frame_lines[0].find("\"go "), std::string::npos);
  EXPECT_TRUE(read_lines(waits).empty());
  const std::vector<std::string> screen_lines = read_lines(screen);
  ASSERT_EQ(screen_lines.size(), 1u);
  EXPECT_EQ(json_number(screen_lines[0], "pause"), 3);
  EXPECT_NE(screen_lines[0].find("\"gox "), std::string::npos);
  EXPECT_NE(screen_lines[0].find("\"title\":\"stand-in\""), std::string::npos);
}

TEST_F(RunSimTest, WithoutAScriptTheInputEndsAtTheFirstWaitAndMaxPausesBeyondTheRunDoNothing) {
  const std::string waits = temp_path("waits");
  EXPECT_EQ(run_sim({"--waits", waits, "--max-pauses", "4"}, pausing_routine), 6);
  EXPECT_EQ(read_lines(waits).size(), 1u);
}

TEST_F(RunSimTest, OneFileNamedForSeveralRecordsTakesThemAll) {
  const std::string both = temp_path("both");
  EXPECT_EQ(run_sim({"--frames", both, "--trace", both}, pausing_routine), 6);
  const std::vector<std::string> lines = read_lines(both);
  ASSERT_EQ(lines.size(), 6u);
  // At each pause the frame comes first, then the trace line.
  EXPECT_NE(lines[0].find("\"rows\""), std::string::npos);
  EXPECT_NE(lines[1].find("\"board\""), std::string::npos);
}

TEST_F(RunSimTest, MaxPausesStopsRightAfterThatPauseWithStatus3) {
  const std::string frames = temp_path("frames");
  const std::string trace = temp_path("trace");
  const std::string screen = temp_path("screen");
  EXPECT_EXIT(
      run_sim({"--max-pauses", "2", "--frames", frames, "--trace", trace, "--screen", screen},
              pausing_routine),
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(read_lines(frames).size(), 2u);
  EXPECT_EQ(read_lines(trace).size(), 2u);
  const std::vector<std::string> screen_lines = read_lines(screen);
  ASSERT_EQ(screen_lines.size(), 1u);
  EXPECT_EQ(json_number(screen_lines[0], "pause"), 2);
}

}  // namespace
