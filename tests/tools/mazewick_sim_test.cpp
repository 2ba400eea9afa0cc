// The real mazewick-sim binary, run on the game.
#include <sys/wait.h>

#include <cstdlib>

#include "run_files.h"

namespace {

struct SimResult {
  int status;
  std::string error;  // what it wrote to standard error
};

// Runs mazewick-sim with shell-quoted arguments, standard input from a file if given.
SimResult run_binary(const std::string& arguments, const std::string& input_path = "/dev/null") {
  const std::string error_path = temp_path("stderr");
  const std::string command = std::string("'") + MAZEWICK_SIM + "' " + arguments + " < '" +
                              input_path + "' 2> '" + error_path + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(error_path)};
}

TEST(MazewickSimTest, QuittingOnTheTitleScreenExitsWith0AndLeavesTheConsoleAsFound) {
  const std::string script = write_file("script", "0 q\n");
  const std::string screen = temp_path("screen");
  const std::string waits = temp_path("waits");
  SimResult result =
      run_binary("--screen '" + screen + "' --waits '" + waits + "' '" + script + "'");
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(result.error, "");
  std::vector<std::string> lines = read_lines(screen);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("\"title\":\"Mazewick 1.0\""), std::string::npos);
  EXPECT_EQ(json_number(lines[0], "width"), 80);
  EXPECT_EQ(json_number(lines[0], "height"), 25);
  // The q was queued before the prompt read it: no wait.
  EXPECT_TRUE(read_lines(waits).empty());
  // The same with the script from standard input and the screen to standard output.
  const std::string output = temp_path("stdout");
  result = run_binary("--screen - - > '" + output + "'", script);
  EXPECT_EQ(result.status, 0) << result.error;
  lines = read_lines(output);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("\"title\":\"Mazewick 1.0\""), std::string::npos);
}

TEST(MazewickSimTest, WithoutInputTheTitlePromptWaitsOnceAndTheGameQuits) {
  const std::string waits = temp_path("waits");
  const SimResult result = run_binary("--waits '" + waits + "'");
  EXPECT_EQ(result.status, 0) << result.error;
  const std::vector<std::string> lines = read_lines(waits);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(json_number(lines[0], "pause"), 0);
  EXPECT_EQ(json_number(lines[0], "width"), 55);
  EXPECT_EQ(json_number(lines[0], "height"), 33);
  EXPECT_NE(lines[0].find("Press [S] to begin"), std::string::npos);
}

TEST(MazewickSimTest, BadCommandLinesScriptsAndFilesAreOneLineErrorsWithStatus2) {
  const std::string script = write_file("script", "# start\n0 s\nx q\n");
  const std::string screen = temp_path("screen");
  const struct {
    std::string arguments;
    std::string error;
  } cases[] = {
      {"--bogus", "--bogus"},
      {"'" + temp_path("missing") + "'", "cannot read"},
      {"--trace '" + temp_path("no/such/folder") + "'", "cannot write"},
      // A malformed script line is named before the game starts.
      {"--screen '" + screen + "' '" + script + "'", script + ":3: "},
  };
  for (const auto& c : cases) {
    const SimResult result = run_binary(c.arguments);
    EXPECT_EQ(result.status, 2) << c.arguments;
    EXPECT_EQ(result.error.rfind("mazewick-sim: ", 0), 0u) << result.error;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), result.error.size() - 1) << result.error;
  }
  EXPECT_TRUE(read_lines(screen).empty());
}

}  // namespace
