// Random mazes made of the legend's characters, with the actors run over them: nothing may be
// read or written outside the Board, and the Board keeps to the Cell byte classes.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "actors/chaser_house.h"
#include "actors/random.h"
#include "game/round_tick.h"
#include "tests/maze/text_layout.h"

namespace {

bool is_cell_byte(uint8_t cell) {
  const bool wall_or_door = cell >= 128 && cell <= 151;
  const bool floor = cell >= 0x40 && cell <= 0x7F && (cell & 0x0F) <= 3;
  const bool tunnel = cell >= 0x20 && cell <= 0x39;
  const bool spawn = cell >= 0x10 && cell <= 0x1F;
  const bool arrow = cell >= 0x04 && cell <= 0x07;
  return wall_or_door || floor || tunnel || spawn || arrow;
}

class RandomMazes {
 public:
  explicit RandomMazes(uint32_t seed) : rng_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  char pick(const std::string& characters) { return characters[below(characters.size())]; }

  TextLayout next() {
    // Few letters, so that some occur once, some twice and some three times or more.
    const std::string letters = std::string("avoxz").substr(0, 1 + below(5));
    const bool with_spawns = below(4) != 0;
    TextLayout layout;
    for (int y = 0; y < kBoardHeight; ++y) {
      std::string& row = layout.text[y];
      for (int x = 0; x < kBoardWidth; ++x) {
        const bool border = x == 0 || x == 27 || y == 0 || y == 30;
        char c;
        if (border) {
          c = below(3) == 0 ? pick(letters) : pick("# .!~");
        } else if (below(40) == 0) {
          c = pick(letters);
        } else if (with_spawns && below(30) == 0) {
          c = pick("0123456789ABCDEF");
        } else {
          c = pick("####....  O?~!X;^>V<+++@\x7f\xc8");
        }
        row += c;
      }
      if (below(8) == 0) {
        row.resize(below(kBoardWidth));
      }
    }
    return layout;
  }

 private:
  std::mt19937 rng_;
};

void expect_board_of_cell_bytes(const Board& board) {
  for (int i = 0; i < kBoardCells; ++i) {
    ASSERT_TRUE(is_cell_byte(board.cells[i])) << "cell " << i << " holds " << int(board.cells[i]);
  }
}

TEST(RandomLayouts, CompileToCellBytesAndRunTheActorsWithinTheBoard) {
  RandomMazes mazes(20240611);
  random_state = {0, 0};
  for (int maze = 0; maze < 150; ++maze) {
    SCOPED_TRACE(maze);
    TextLayout text = mazes.next();
    // On the heap by itself, with the Board last, so that any access beyond it is caught.
    auto game = std::make_unique<GameState>();
    round_setup_from_layout(*game, text.layout());
    expect_board_of_cell_bytes(game->board);

    for (int tick = 0; tick < 300; ++tick) {
      const int event = mazes.below(100);
      if (event == 0) {
        game->fright_timer = static_cast<uint8_t>(game->fright_timer + 70);
      } else if (event == 1) {
        game->house_timers[mazes.below(kChaserCount)] = kHouseReturning;
      } else if (event == 2) {
        for (uint8_t i = 0; i < kChaserCount; ++i) {
          game->house_timers[i] = static_cast<uint8_t>(15 * i + 1);
          send_home(game->chasers[i]);
        }
        send_home(game->player);
      } else if (event == 3) {
        // Anywhere at all, the Board's edges and beyond included.
        Actor& actor = mazes.below(5) == 0 ? static_cast<Actor&>(game->player)
                                           : game->chasers[mazes.below(kChaserCount)];
        actor.x = static_cast<uint8_t>(mazes.below(256));
        actor.y = static_cast<uint8_t>(mazes.below(256));
      } else if (event == 4) {
        game->mode_timer = static_cast<uint16_t>(mazes.below(300));
      }
      const int key = mazes.below(6);
      if (game->lives == 0) {
        game->lives = 3;  // a new game
      }
      place_bonus_item(*game);
      update_round(*game, static_cast<uint8_t>(key < 4 ? 4 + key : 0));
      count_tick(*game);
      ASSERT_LT(game->player.dir, 4);
      for (const Chaser& chaser : game->chasers) {
        ASSERT_LT(chaser.dir, 4);
      }
    }
    expect_board_of_cell_bytes(game->board);
  }
}

}  // namespace
