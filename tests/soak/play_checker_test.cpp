// Real play keeps every rule (the soak plays it); a pause that breaks one is caught and named.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "game/round_tick.h"
#include "game/title_screen.h"
#include "tests/soak/soak_play.h"

namespace {

// The words that name the rule, and how the next pause breaks it.
constexpr std::pair<const char*, void (*)(GameState&)> kBrokenRules[] = {
    {"pellets on the Board differ", [](GameState& next) { --next.pellets_left; }},
    {"figure off the Board", [](GameState& next) { next.chasers[3].y = 255; }},
    {"the Board changed with nothing eaten", [](GameState& next) { next.board.cells[0] ^= 1; }},
    {"lives changed", [](GameState& next) { next.lives = 255; }},
    {"tick count", [](GameState& next) { --next.tick; }},
};

TEST(PlayCheckerTest, APauseThatBreaksARuleIsNamed) {
  for (const auto& [named, breaks] : kBrokenRules) {
    SCOPED_TRACE(named);
    GameState game{};
    reset_game(game);
    round_setup(game);
    update_round(game, 0);
    PlayChecker checker;
    ASSERT_EQ(checker.check(game), "");
    ++game.tick;
    breaks(game);
    EXPECT_NE(checker.check(game).find(named), std::string::npos);
  }
}

}  // namespace
