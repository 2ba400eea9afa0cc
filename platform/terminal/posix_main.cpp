// The program on POSIX systems: the command line, then the game on the terminal.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "game/game_main.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"
#include "platform/terminal/game_log.h"
#include "platform/terminal/scores.h"
#include "platform/terminal/terminal_frontend.h"
#include "platform/terminal/terminal_options.h"

namespace {

constexpr int kBadCommandLine = 2;

int refuse(const std::string& problem) {
  std::fprintf(stderr, "mazewick: %s\n", shown_safely(problem).c_str());
  return kBadCommandLine;
}

// Adds the games to the table and says what became of each.
void keep_scores(const std::vector<KeptGame>& games) {
  if (games.empty()) {
    return;
  }
  std::string problem;
  const std::string path = scores_path(problem);
  KeepResult result;
  if (path.empty()) {
    result.problem = problem;
  } else {
    result = keep_games(path, games);
  }
  std::fputs(kept_text(games, result, path).c_str(), stdout);
}

int show_scores() {
  std::string problem;
  const std::string path = scores_path(problem);
  if (path.empty()) {
    std::fprintf(stderr, "mazewick: no score table: %s\n", problem.c_str());
    return 1;
  }
  const ScoreTable table = read_scores(path);
  if (!table.problem.empty()) {
    std::fprintf(stderr, "mazewick: cannot read %s: %s\n", path.c_str(), table.problem.c_str());
    return 1;
  }
  std::fputs(table_text(table, path).c_str(), stdout);
  if (!table.damage.empty()) {
    std::fprintf(stderr, "mazewick: %s is damaged (%s): the rest of it is shown\n", path.c_str(),
                 table.damage.c_str());
  }
  return 0;
}

// What went to standard output has reached it; else the player is told, and the status is 2.
int flushed(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    return refuse(std::string("cannot write to standard output: ") + std::strerror(errno));
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader gone from a pipe is a write error like any other, not a way to die.
  std::signal(SIGPIPE, SIG_IGN);
  const TerminalOptions options = parse_terminal_options(argc, argv);
  switch (options.action) {
    case TerminalOptionsAction::kHelp:
      print_help(stdout);
      return flushed(0);
    case TerminalOptionsAction::kVersion:
      print_version(stdout);
      return flushed(0);
    case TerminalOptionsAction::kScores:
      return flushed(show_scores());
    case TerminalOptionsAction::kInvalid:
      refuse(options.error);
      print_usage(stderr);
      return kBadCommandLine;
    case TerminalOptionsAction::kPlay:
      break;
  }

  // Every file is read or opened before the terminal is touched, so that a bad one leaves the
  // terminal alone.
  TerminalFrontend terminal;
  if (options.replay) {
    std::vector<ScriptLine> lines;
    const std::string problem = load_recording(*options.replay, lines);
    if (!problem.empty()) {
      return refuse(problem);
    }
    terminal.replay(std::move(lines));
  }
  GameLog log;
  const std::string problem = log.open(options.record, options.trace);
  if (!problem.empty()) {
    return refuse(problem);
  }
  terminal.add_observer(&log);
  GameTally tally;
  terminal.add_observer(&tally);

  ConsoleHost& host = console_host();
  std::string reason;
  const bool terminal_open = terminal.open(host, reason);
  if (!terminal_open) {
    // The game then finds no console and ends at once with status 1.
    host.set_available(false);
  }
  const int status = game_main(argc, argv);
  // A game the player quits leaves the input open; a signal, Ctrl-C or a closed terminal ends it.
  const bool player_quit = !host.input_ended();
  terminal.close();
  if (!terminal_open) {
    refuse(reason);
  }
  const std::string write_errors = log.write_errors();
  std::fputs(write_errors.c_str(), stderr);
  // A replay is no new game.
  if (!options.replay) {
    keep_scores(tally.games(player_quit));
  }
  return write_errors.empty() ? status : kBadCommandLine;
}
