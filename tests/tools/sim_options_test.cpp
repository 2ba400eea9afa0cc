#include "sim_options.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseSimOptionsTest, ReadsEveryOptionAndTheScript) {
  SimOptions options;
  EXPECT_EQ(parse_sim_options({}, options), "");
  EXPECT_FALSE(options.script);
  EXPECT_FALSE(options.trace);
  EXPECT_EQ(options.max_pauses, 0u);
  EXPECT_EQ(parse_sim_options({"--trace", "t.jsonl", "--frames", "-", "--waits", "w", "--screen",
                               "s", "--max-pauses", "250", "-"},
                              options),
            "");
  EXPECT_EQ(options.trace, "t.jsonl");
  EXPECT_EQ(options.frames, "-");
  EXPECT_EQ(options.waits, "w");
  EXPECT_EQ(options.screen, "s");
  EXPECT_EQ(options.max_pauses, 250u);
  EXPECT_EQ(options.script, "-");
}

TEST(ParseSimOptionsTest, RefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {"--trace"},
      {"--trace", ""},
      {"--max-pauses"},
      {"--max-pauses", "0"},
      {"--max-pauses", "-3"},
      {"--max-pauses", "1x"},
      {"--max-pauses", "99999999999999999999999"},
      {"--max-pauses", "2", "--max-pauses", "3"},
      {"--screen", "a", "--screen", "b"},
      {"--verbose"},
      {"a.txt", "b.txt"},
      {""},
  };
  for (const std::vector<std::string>& args : bad) {
    SimOptions options;
    EXPECT_NE(parse_sim_options(args, options), "") << ::testing::PrintToString(args);
  }
}

}  // namespace
