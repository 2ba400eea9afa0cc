#include "platform/terminal/terminal_options.h"

#include "game/game_main.h"
#include "game/game_window.h"

namespace {

TerminalOptions invalid(const std::string& error) {
  return {TerminalOptionsAction::kInvalid, error, {}, {}, {}};
}

}  // namespace

TerminalOptions parse_terminal_options(int argc, char** argv) {
  bool help = false;
  bool version = false;
  bool scores = false;
  TerminalOptions options = {TerminalOptionsAction::kPlay, "", {}, {}, {}};
  for (int index = 1; index < argc; ++index) {
    const std::string argument = argv[index];
    std::optional<std::string>* file = nullptr;
    if (argument == "--help") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--scores") {
      scores = true;
    } else if (argument == "--record") {
      file = &options.record;
    } else if (argument == "--replay") {
      file = &options.replay;
    } else if (argument == "--trace") {
      file = &options.trace;
    } else {
      return invalid("unknown argument '" + argument + "'");
    }
    if (file == nullptr) {
      continue;
    }
    if (file->has_value()) {
      return invalid(argument + " given twice");
    }
    if (index + 1 == argc || argv[index + 1][0] == '\0') {
      return invalid(argument + " needs a file");
    }
    *file = argv[++index];
  }
  if (options.record && options.replay) {
    return invalid("--record and --replay cannot go together");
  }
  if (options.trace && (options.trace == options.record || options.trace == options.replay)) {
    return invalid("--trace needs a file of its own");
  }
  if (help) {
    options.action = TerminalOptionsAction::kHelp;
  } else if (version) {
    options.action = TerminalOptionsAction::kVersion;
  } else if (scores) {
    options.action = TerminalOptionsAction::kScores;
  }
  return options;
}

void print_usage(std::FILE* out) {
  std::fputs(
      "Usage: mazewick [--record FILE | --replay FILE] [--trace FILE]\n"
      "       mazewick --scores | --help | --version\n",
      out);
}

void print_help(std::FILE* out) {
  print_usage(out);
  std::fputs(
      "\n"
      "A maze-chase game for the text terminal: eat every pellet of the maze while four\n"
      "chasers hunt you; a power pellet turns the tables for a while.\n"
      "\n"
      "Options:\n"
      "  --record FILE  write every key the game takes, and the tick it came in, to\n"
      "                 FILE as a recording; FILE is written in place, line by line\n"
      "                 as you play, so a game cut short keeps its keys (an existing\n"
      "                 FILE is emptied once the game has the terminal)\n"
      "  --replay FILE  play a recording back at the game's own speed; the keyboard\n"
      "                 only stops it: q quits through the pause, Ctrl-C at once\n"
      "  --trace FILE   write the game's state at every tick to FILE, a JSON line each\n"
      "  --scores       show the table of the best games kept and exit\n"
      "  --help         show this help and exit\n"
      "  --version      show the version and exit\n"
      "\n"
      "A recording is a script of mazewick-sim: mazewick-sim --trace - FILE runs it\n"
      "without a terminal and gives the same trace. What mazewick-autoplay writes is a\n"
      "recording too: a demo.\n"
      "\n"
      "Example:\n"
      "  mazewick --record game.rec --trace live.trace\n"
      "  mazewick --replay game.rec\n"
      "\n"
      "Scores: every game that ends by game over, or that you quit with Q at the pause\n"
      "or a result screen, is kept with its points, round and time in\n"
      "$XDG_DATA_HOME/mazewick/scores (by default ~/.local/share/mazewick/scores),\n"
      "which holds the ten best. A replay, or a game ended by Ctrl-C, a signal or a\n"
      "closed terminal, is not kept.\n"
      "\n"
      "Controls:\n"
      "  title screen    S start a game, Q quit\n"
      "  during a round  w up, a left, s down, d right (or the arrow keys, or W A S D\n"
      "                  with Caps Lock), Esc pause\n"
      "  result screens  Space continue, Q quit\n"
      "  anywhere        Ctrl-C quit, Ctrl-Z suspend (fg resumes)\n"
      "\n",
      out);
  std::fprintf(out, "The game needs a terminal of at least %d columns by %d rows.\n",
               kWindowColumns, kWindowRows);
}

void print_version(std::FILE* out) {
  std::fprintf(out, "%s\n", kGameTitle);
}
