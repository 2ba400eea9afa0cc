#include "platform/terminal/terminal_options.h"

#include <sys/stat.h>

#include "game/game_main.h"
#include "game/game_window.h"

namespace {

// What a name stands for: the file's device and inode, or for a file yet to be made, its folder's
// and its own name, so that "x", "./x", links and absolute paths to one file compare equal.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::string leaf;
  bool operator==(const FileIdentity&) const = default;
};

FileIdentity identity(const std::string& name) {
  struct stat status {};
  if (stat(name.c_str(), &status) == 0) {
    return {status.st_dev, status.st_ino, ""};
  }
  const size_t slash = name.find_last_of('/');
  const std::string leaf = slash == std::string::npos ? name : name.substr(slash + 1);
  if (stat(folder_holding(name).c_str(), &status) == 0) {
    return {status.st_dev, status.st_ino, leaf};
  }
  return {0, 0, name};
}

bool same_file(const std::optional<std::string>& one, const std::optional<std::string>& other) {
  return one && other && identity(*one) == identity(*other);
}

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
    if (std::string(argv[index + 1]) == "-") {
      return invalid(argument + " needs a file: standard input and output are the terminal");
    }
    *file = argv[++index];
  }
  if (options.record && options.replay) {
    return invalid("--record and --replay cannot go together");
  }
  if (same_file(options.trace, options.record) || same_file(options.trace, options.replay)) {
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
      "                 FILE is left whole until the game begins)\n"
      "  --replay FILE  play a recording back at the game's own speed; the keyboard\n"
      "                 only stops it: q quits through the pause, Ctrl-C at once\n"
      "  --trace FILE   write the game's state at every tick to FILE, a JSON line each\n"
      "  --scores       show the table of the best games kept and exit\n"
      "  --help         show this help and exit\n"
      "  --version      show the version and exit\n"
      "\n"
      "A recording replayed with --trace gives the trace of the game recorded.\n"
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

std::string folder_holding(const std::string& name) {
  const size_t slash = name.find_last_of('/');
  return slash == std::string::npos ? "." : name.substr(0, slash + 1);
}

std::string shown_safely(const std::string& text) {
  std::string shown;
  for (size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool c1 = byte == 0xC2 && at + 1 < text.size() &&
                    static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[at + 1]) <= 0x9F;
    if (byte >= 0x20 && byte != 0x7F && !c1) {
      shown += text[at];
      continue;
    }
    constexpr char kHexDigits[] = "0123456789abcdef";
    const auto escaped = c1 ? static_cast<unsigned char>(text[++at]) : byte;
    shown += "\\x";
    shown += kHexDigits[escaped >> 4];
    shown += kHexDigits[escaped & 0x0F];
  }
  return shown;
}
