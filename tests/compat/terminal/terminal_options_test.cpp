#include "terminal_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// The line as parsed: the action and the files, or the error of an invalid line.
std::string parsed(std::vector<std::string> words) {
  words.insert(words.begin(), "mazewick");
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  const TerminalOptions line = parse_terminal_options(static_cast<int>(argv.size()), argv.data());
  const char* actions[] = {"play", "help", "version", "invalid: "};
  std::string text = actions[static_cast<int>(line.action)] + line.error;
  for (const auto& [option, file] :
       {std::pair{" record ", line.record}, std::pair{" replay ", line.replay},
        std::pair{" trace ", line.trace}}) {
    text += file ? option + *file : "";
  }
  return text;
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

TEST(ParseTerminalOptions, HelpWinsOverVersionAndPlayingAndABadArgumentIsNamed) {
  const struct {
    std::vector<std::string> words;
    const char* parsed;
  } cases[] = {
      {{}, "play"},
      {{"--help"}, "help"},
      {{"--version"}, "version"},
      {{"--version", "--help"}, "help"},
      {{"--trace", "t", "--version"}, "version trace t"},
      {{"--record", "r", "--trace", "t"}, "play record r trace t"},
      {{"--trace", "t", "--replay", "r"}, "play replay r trace t"},
      {{"--help", "-h"}, "invalid: unknown argument '-h'"},
      {{""}, "invalid: unknown argument ''"},
      {{"--record"}, "invalid: --record needs a file"},
      {{"--replay", ""}, "invalid: --replay needs a file"},
      {{"--trace", "a", "--trace", "b"}, "invalid: --trace given twice"},
      {{"--record", "a", "--replay", "b", "--help"},
       "invalid: --record and --replay cannot go together"},
      {{"--replay", "a", "--trace", "a"}, "invalid: --trace needs a file of its own"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parsed(c.words), c.parsed) << c.parsed;
  }
}

TEST(PrintHelp, GivesUsageAndTheControlsAndVersionItsLine) {
  EXPECT_EQ(printed(print_version), "Mazewick 1.0\n");
  const std::string help = printed(print_help);
  EXPECT_EQ(help.rfind(printed(print_usage), 0), 0u);
  for (const char* part : {"--help", "--version", "--record FILE", "--replay FILE", "--trace FILE",
                           "mazewick --replay game.rec", "S start", "Q quit", "w up",
                           "Space continue", "55 columns by 33 rows"}) {
    EXPECT_NE(help.find(part), std::string::npos) << part;
  }
}

}  // namespace
