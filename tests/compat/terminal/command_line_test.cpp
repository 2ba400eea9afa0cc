#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ParseCommandLine, HelpWinsOverVersionAndPlayingAndABadArgumentIsNamed) {
  const struct {
    std::vector<std::string> words;
    const char* parsed;  // the action or the error, then the files
  } cases[] = {
      {{"--trace", "t", "--version", "--help"}, "help t"},
      {{"--trace", "t", "--version"}, "version t"},
      {{"--record", "r", "--trace", "t"}, "play r t"},
      {{"--help", "-h"}, "unknown argument '-h'"},
      {{"--replay", ""}, "--replay needs a file"},
      {{"--trace", "a", "--trace", "b"}, "--trace given twice"},
      {{"--record", "a", "--replay", "b", "--help"}, "--record and --replay cannot go together"},
      {{"--replay", "a", "--trace", "a"}, "--trace needs a file of its own"},
  };
  for (auto c : cases) {
    c.words.insert(c.words.begin(), "mazewick");
    std::vector<char*> argv;
    for (std::string& word : c.words) {
      argv.push_back(word.data());
    }
    const CommandLine line = parse_command_line(static_cast<int>(argv.size()), argv.data());
    const char* actions[] = {"play", "help", "version", ""};
    std::string parsed = actions[static_cast<int>(line.action)] + line.error;
    for (const auto& file : {line.record, line.replay, line.trace}) {
      parsed += file ? " " + *file : "";
    }
    EXPECT_EQ(parsed, c.parsed);
  }
}

}  // namespace
