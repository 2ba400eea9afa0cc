// The table of the best games played on the terminal: where it lives, how it is read (as hostile
// input, never trusted) and how games join it while other programs may be adding theirs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/terminal/terminal_frontend.h"

constexpr size_t kKeptGames = 10;

struct KeptGame {
  uint64_t points;
  unsigned round;    // as the player sees it, from 1
  std::string when;  // local time, "YYYY-MM-DD HH:MM"
};

// $XDG_DATA_HOME/mazewick/scores, else ~/.local/share/mazewick/scores. Empty, with the reason in
// problem, when neither an absolute XDG_DATA_HOME nor HOME is set.
std::string scores_path(std::string& problem);

struct ScoreTable {
  std::vector<KeptGame> games;  // best first, at most kKeptGames
  bool exists = false;
  std::string damage;   // what is wrong with the file, empty when it is sound
  std::string problem;  // why it could not be read at all
};

// Reads the table without following a symlink and keeps what it can read: lines that are not a
// kept game, too long or too many, a file too large, or anything but a regular file are damage.
ScoreTable read_scores(const std::string& path);

struct KeepResult {
  std::vector<size_t> places;  // for each game, its place from 1, or 0 when it is not kept
  std::string damage;          // what was wrong with the old table
  std::string set_aside;       // where a damaged table was moved to
  std::string problem;         // why the games could not be kept; the old table stays as it was
};

// Adds the games to the table under a lock: the table is read, the new one written beside it and
// renamed over it, and a damaged one first moved aside.
KeepResult keep_games(const std::string& path, const std::vector<KeptGame>& games);

// What mazewick --scores prints.
std::string table_text(const ScoreTable& table, const std::string& path);
// The lines after a run: one for each game played, then what became of the table.
std::string kept_text(const std::vector<KeptGame>& games, const KeepResult& result,
                      const std::string& path);

// Follows the games of one run from the game's state at every pause: a game begins at a pause
// with lives and ends at one without.
class GameTally final : public TerminalObserver {
 public:
  void paused(uint64_t pauses) override;
  void keys_queued(uint64_t /*pauses*/, const std::vector<TerminalKey>& /*keys*/) override {}
  // The games that count once the program ends: those that ended by game over, and the one under
  // way when the player quit it.
  std::vector<KeptGame> games(bool player_quit) const;

 private:
  bool playing_ = false;
  std::vector<KeptGame> ended_;
};
