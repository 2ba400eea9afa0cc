// mazewick-sim as other tools run it: its command line, its records and its exit statuses.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "game/game_window.h"
#include "tests/support/run_files.h"

namespace {

// Runs mazewick-sim with shell-quoted arguments and redirections: its status and standard error.
std::pair<int, std::string> run_sim(const std::string& arguments, const std::string& input,
                                    const std::string& output = "/dev/null") {
  const std::string error = temp_path("stderr");
  const std::string command = "'" + std::string(MAZEWICK_SIM) + "' " + arguments + " < '" + input +
                              "' > '" + output + "' 2> '" + error + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(error)};
}

TEST(MazewickSimTest, WritesWaitsFramesTraceAndScreenUntilMaxPausesEndsTheRunWithStatus3) {
  const std::string out = temp_path("out");
  EXPECT_EQ(run_sim("--frames - --trace - --waits - --screen - --max-pauses 2 -",
                    write_file("script", "1 s\n"), out),
            std::make_pair(3, std::string()));
  const std::vector<std::string> lines = read_lines(out);
  const std::string frame = ",\"width\":" + std::to_string(kWindowColumns) +
                            ",\"height\":" + std::to_string(kWindowRows) + ",";
  // The title's wait for a key, the frame then the trace at each pause, the screen at the end.
  const std::string starts[] = {"0" + frame, "1" + frame,      "1,\"round\":0,",
                                "2" + frame, "2,\"round\":0,", "2" + frame};
  ASSERT_EQ(lines.size(), std::size(starts));
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("{\"pause\":" + starts[i], 0), 0u) << lines[i];
  }
  EXPECT_NE(lines[0].find("Press [S] to begin"), std::string::npos);
  EXPECT_NE(lines[5].find("\"title\":\"Mazewick 1.0\""), std::string::npos);
  EXPECT_EQ(lines[2],
            "{\"pause\":1,\"round\":0,\"score\":1,\"next_life_at\":1000,\"lives\":3,\"fright\":0,"
            "\"mode\":0,\"tick\":0,\"pellets_left\":296,\"pellets_total\":297,\"bonus_count\":0,"
            "\"player\":[14,23,1,0],\"chasers\":[[13,13,1,12,13,0],[16,13,1,15,13,0],"
            "[11,15,3,12,15,0],[14,15,3,15,15,0]],\"house\":[14,29,44,59],\"board\":\"3ab72318\"}");
}

TEST(MazewickSimTest, BadCommandLinesScriptsAndFilesAreOneLineErrorsWithStatus2) {
  const std::string script = write_file("script", "# start\n0 s\n5\n");
  const std::string screen = temp_path("screen");
  // The arguments, and what the error names: a bad command line, a script that cannot be read, an
  // output that cannot be written, and a bad script line, named before the game starts.
  const std::string cases[][2] = {
      {"--bogus", "unknown option --bogus"},
      {"'" + temp_path("missing") + "'", "cannot read"},
      {"--trace '" + temp_path("no/folder") + "'", "cannot write"},
      {"--console dos", "--console takes one of model, conhost, terminal, cp850, cp65001"},
      {"--screen '" + screen + "' '" + script + "'",
       script + ":3: no space after the pause count"}};
  for (const auto& c : cases) {
    const auto [status, error] = run_sim(c[0], "/dev/null");
    EXPECT_EQ(status, 2) << c[0];
    EXPECT_TRUE(error.rfind("mazewick-sim: ", 0) == 0 && error.find(c[1]) != std::string::npos &&
                error.find('\n') == error.size() - 1)
        << error;
  }
  EXPECT_TRUE(read_lines(screen).empty());
}

// Every console plays the same game as the model, pause by pause, on the scripts of the tests:
// a planned game, the fuzzers' seeds and a game paused twice.
TEST(MazewickSimTest, EveryConsolePlaysTheSameGame) {
  std::vector<std::string> scripts = {std::string(MAZEWICK_TESTS) + "/soak/short_game.script",
                                      write_file("pauses", "0 s\n5 d\n8 \\e\n99999 \\e\n12 \\e\n")};
  for (const auto& seed :
       std::filesystem::directory_iterator(std::string(MAZEWICK_TESTS) + "/fuzz/corpus/headless")) {
    scripts.push_back(seed.path());
  }
  const auto outputs = [](const std::string& console, const std::string& script) {
    const std::string out = temp_path(console);
    const auto [status, error] = run_sim(
        "--console " + console + " --trace - --frames - --waits - --screen - '" + script + "'",
        "/dev/null", out);
    return std::to_string(status) + error + read_file(out);
  };
  for (const std::string& script : scripts) {
    const std::string model = outputs("model", script);
    for (const char* console : {"conhost", "terminal", "cp850", "cp65001"}) {
      EXPECT_TRUE(outputs(console, script) == model) << console << " on " << script;
    }
  }
}

}  // namespace
