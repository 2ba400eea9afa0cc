#include "platform/terminal/terminal_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ParseTerminalOptions, HelpWinsOverVersionAndPlayingAndABadArgumentIsNamed) {
  const struct {
    std::vector<const char*> words;
    const char* parsed;  // the action, or what is wrong
  } cases[] = {
      {{"mazewick", "--trace", "t", "--version", "--help"}, "help"},
      {{"mazewick", "--trace", "t", "--version"}, "version"},
      {{"mazewick", "--scores", "--version"}, "version"},
      {{"mazewick", "--scores"}, "scores"},
      {{"mazewick", "--replay", ""}, "--replay needs a file"},
      {{"mazewick", "--trace", "a", "--trace", "b"}, "--trace given twice"},
      {{"mazewick", "--replay", "a", "--trace", "a"}, "--trace needs a file of its own"},
  };
  for (const auto& c : cases) {
    const TerminalOptions line = parse_terminal_options(static_cast<int>(c.words.size()),
                                                        const_cast<char**>(c.words.data()));
    const char* actions[] = {"play", "help", "version", "scores", ""};
    EXPECT_EQ(actions[static_cast<int>(line.action)] + line.error, c.parsed);
  }
}

}  // namespace
