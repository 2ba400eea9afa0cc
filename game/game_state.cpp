#include "game/game_state.h"

GameState game_state;

const BonusRow bonus_table[kBonusRows] = {
    {0, 1},   {1, 3},   {3, 5},   {5, 7},   {7, 10},  {9, 20},
    {11, 30}, {13, 40}, {15, 50}, {17, 60}, {19, 80}, {23, 100},
};

uint8_t bonus_row(uint8_t round) {
  for (uint8_t row = 0; row < kBonusRows; ++row) {
    if (bonus_table[row].last_round >= round) {
      return row;
    }
  }
  return kBonusRows - 1;
}
