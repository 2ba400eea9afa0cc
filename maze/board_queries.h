// Questions about the cells of a compiled Board, and the Direction steps every mover uses.
//
// Every query takes any coordinates: a cell beyond the Board (x >= 28 or y >= 31) answers as a
// wall, and nothing outside the Board is ever read or written.
#pragma once

#include <cstdint>

#include "maze/board.h"

// What a cell beyond the Board answers: an isolated wall.
constexpr uint8_t kOutsideCell = 0x80;

// The column and row steps of a Direction (0 up, 1 right, 2 down, 3 left); only its two low
// bits count.
int8_t dir_dx(uint8_t dir);
int8_t dir_dy(uint8_t dir);

inline uint8_t turn_right(uint8_t dir) {
  return (dir + 1) & 3;
}
inline uint8_t turn_left(uint8_t dir) {
  return (dir + 3) & 3;
}
inline uint8_t reverse_dir(uint8_t dir) {
  return (dir + 2) & 3;
}

// The column or row one step away in a Direction, wrapping as a byte.
inline uint8_t step_x(uint8_t x, uint8_t dir) {
  return static_cast<uint8_t>(x + dir_dx(dir));
}
inline uint8_t step_y(uint8_t y, uint8_t dir) {
  return static_cast<uint8_t>(y + dir_dy(dir));
}

// A cell position packed into 16 bits: row in the high byte, column in the low byte.
inline uint16_t pack_cell(uint8_t x, uint8_t y) {
  return static_cast<uint16_t>(y * 256 + x);
}
inline uint8_t packed_x(uint16_t cell) {
  return static_cast<uint8_t>(cell & 0xFF);
}
inline uint8_t packed_y(uint16_t cell) {
  return static_cast<uint8_t>(cell >> 8);
}

// The Cell byte at (x, y); kOutsideCell beyond the Board.
uint8_t cell_at(const Board& board, uint8_t x, uint8_t y);

// The neighbour of (x, y) on the flat Board: byte (y + dy) * 28 + (x + dx), so stepping off the
// end of a row meets the next or previous row. Only cells on the Board have flat neighbours, and
// an index before the first or past the last cell is a wall.
uint8_t flat_neighbour(const Board& board, uint8_t x, uint8_t y, uint8_t dir);

// 0x80 for a wall or a door, 0 otherwise.
uint8_t is_wall(const Board& board, uint8_t x, uint8_t y);

// The number of cells whose byte AND mask equals value AND mask.
uint16_t count_cells(const Board& board, uint8_t value, uint8_t mask);

// 1 when a chaser choosing its way may not enter the cell: a wall, a door or restricted floor.
uint8_t blocks_chaser(const Board& board, uint8_t x, uint8_t y);

// Takes the item from a floor cell and returns its code (0 none, 1 pellet, 2 power pellet,
// 3 bonus item); 255 on a tunnel mouth; 0 on any other cell, which stays as it is.
uint8_t eat_cell(Board& board, uint8_t x, uint8_t y);

// 4 + the forced Direction on an arrow cell, 0 elsewhere.
uint8_t arrow_at(const Board& board, uint8_t x, uint8_t y);

// The packed position of the first spawn marker n in reading order; 0 when there is none.
uint16_t find_spawn(const Board& board, uint8_t n);

// The packed position of the other mouth of the tunnel at (x, y): the first other cell with the
// same letter in reading order. (x, y) itself when it is no mouth or has no partner.
uint16_t warp(const Board& board, uint8_t x, uint8_t y);

// The way a chaser takes when a wall is ahead: the right turn if open, else the left turn if
// open, else the reverse. Neighbours lie on the flat Board, so stepping off the end of a row
// meets the next or previous row.
uint8_t turn_when_blocked(const Board& board, uint8_t x, uint8_t y, uint8_t dir);
