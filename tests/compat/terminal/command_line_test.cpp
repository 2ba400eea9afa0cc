#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

CommandLineAction action_for(std::vector<std::string> words) {
  words.insert(words.begin(), "mazewick");
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  return parse_command_line(static_cast<int>(argv.size()), argv.data()).action;
}

std::string printed(void (*print)(std::FILE*)) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  print(out);
  std::fclose(out);
  std::string result(text, size);
  std::free(text);
  return result;
}

TEST(ParseCommandLine, HelpWinsOverVersionAndAnythingElseIsInvalidAndNamed) {
  EXPECT_EQ(action_for({}), CommandLineAction::kPlay);
  EXPECT_EQ(action_for({"--help"}), CommandLineAction::kHelp);
  EXPECT_EQ(action_for({"--version"}), CommandLineAction::kVersion);
  EXPECT_EQ(action_for({"--version", "--help"}), CommandLineAction::kHelp);
  for (const char* word : {"-h", "--helpme", "play", "", "-"}) {
    std::vector<std::string> words = {"--help", word};
    std::vector<char*> argv = {const_cast<char*>("mazewick"), words[0].data(), words[1].data()};
    const CommandLine line = parse_command_line(3, argv.data());
    EXPECT_EQ(line.action, CommandLineAction::kInvalid) << word;
    EXPECT_STREQ(line.invalid_argument, word);
  }
}

TEST(PrintHelp, GivesUsageAndTheControlsAndVersionItsLine) {
  EXPECT_EQ(printed(print_version), "Mazewick 1.0\n");
  const std::string help = printed(print_help);
  EXPECT_EQ(help.rfind(printed(print_usage), 0), 0u);
  for (const char* part : {"--help", "--version", "S start", "Q quit", "w up", "Space continue",
                           "55 columns by 33 rows"}) {
    EXPECT_NE(help.find(part), std::string::npos) << part;
  }
}

}  // namespace
