#include "platform/terminal/scores.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#include "platform/terminal/terminal_signals.h"

namespace {

constexpr const char* kHeader = "# mazewick scores: points, round, date and time; best first";
// Far more than a table of ours ever holds: a larger file is not one.
constexpr size_t kMostBytes = 4096;
constexpr size_t kMostLineBytes = 80;
constexpr uint64_t kMostPoints = 42'949'672'950;  // every score the game can count, in points
constexpr unsigned kMostRound = 256;
// Another program adding its games holds the lock for a moment; one that holds it longer is
// stuck, and the score is not kept rather than the player kept waiting.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(10);

std::string errno_text() {
  return std::strerror(errno);
}

std::string folder_of(const std::string& path) {
  return path.substr(0, path.find_last_of('/'));
}

// A decimal number of at most `digits` digits at text[at], moving at past it.
bool read_number(const std::string& text, size_t& at, size_t digits, uint64_t& value) {
  size_t length = 0;
  value = 0;
  while (at + length < text.size() && length <= digits && text[at + length] >= '0' &&
         text[at + length] <= '9') {
    value = value * 10 + static_cast<uint64_t>(text[at + length] - '0');
    ++length;
  }
  at += length;
  return length >= 1 && length <= digits;
}

bool read_char(const std::string& text, size_t& at, char expected) {
  if (at < text.size() && text[at] == expected) {
    ++at;
    return true;
  }
  return false;
}

// "POINTS ROUND YYYY-MM-DD HH:MM", every number in its range.
bool parse_game(const std::string& line, KeptGame& game) {
  size_t at = 0;
  uint64_t points = 0;
  uint64_t round = 0;
  uint64_t date[5] = {};
  const char separators[5] = {'-', '-', ' ', ':', '\0'};
  const size_t widths[5] = {4, 2, 2, 2, 2};
  if (!read_number(line, at, 11, points) || !read_char(line, at, ' ') ||
      !read_number(line, at, 3, round) || !read_char(line, at, ' ')) {
    return false;
  }
  const size_t date_start = at;
  for (int field = 0; field < 5; ++field) {
    const size_t before = at;
    if (!read_number(line, at, widths[field], date[field]) || at - before != widths[field] ||
        (separators[field] != '\0' && !read_char(line, at, separators[field]))) {
      return false;
    }
  }
  const bool in_range = points <= kMostPoints && points % 10 == 0 && round >= 1 &&
                        round <= kMostRound && date[1] >= 1 && date[1] <= 12 && date[2] >= 1 &&
                        date[2] <= 31 && date[3] <= 23 && date[4] <= 59;
  if (at != line.size() || !in_range) {
    return false;
  }
  game = {points, static_cast<unsigned>(round), line.substr(date_start)};
  return true;
}

void sort_best_first(std::vector<KeptGame>& games) {
  std::stable_sort(games.begin(), games.end(),
                   [](const KeptGame& a, const KeptGame& b) { return a.points > b.points; });
}

std::string format_table(const std::vector<KeptGame>& games) {
  std::string text = std::string(kHeader) + '\n';
  for (const KeptGame& game : games) {
    text += std::to_string(game.points) + ' ' + std::to_string(game.round) + ' ' + game.when + '\n';
  }
  return text;
}

// Creates the folder and those above it that are missing, private to the user as data folders
// are.
bool make_folders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
    if (slash == std::string::npos) {
      return true;
    }
  }
}

// The whole text written to a new file in the folder, flushed to the disk; its name, or empty
// with errno set.
std::string write_beside(const std::string& path, const std::string& text) {
  std::string name = path + ".XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    return "";
  }
  const bool whole = write_all(fd, text) && fsync(fd) == 0;
  const int saved_errno = errno;
  if (::close(fd) != 0 || !whole) {
    unlink(name.c_str());
    errno = whole ? errno : saved_errno;
    return "";
  }
  return name;
}

// A free name beside the table for a damaged one: scores.damaged, then scores.damaged-2 and on.
std::string aside_name(const std::string& path) {
  for (int number = 1;; ++number) {
    const std::string name =
        path + ".damaged" + (number == 1 ? std::string() : "-" + std::to_string(number));
    struct stat status {};
    if (lstat(name.c_str(), &status) != 0 && errno == ENOENT) {
      return name;
    }
  }
}

// Holds the lock of the table's folder while it lives.
class TableLock {
 public:
  explicit TableLock(const std::string& path)
      : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600)) {
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    while (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() > deadline) {
        problem_ = errno == EWOULDBLOCK ? "another program holds its lock" : errno_text();
        return;
      }
      std::this_thread::sleep_for(kLockRetry);
    }
    if (fd_ < 0) {
      problem_ = errno_text();
    } else {
      held_ = true;
    }
  }
  TableLock(const TableLock&) = delete;
  TableLock& operator=(const TableLock&) = delete;
  ~TableLock() {
    if (fd_ >= 0) {
      ::close(fd_);  // which lets the lock go
    }
  }
  bool held() const { return held_; }
  const std::string& problem() const { return problem_; }

 private:
  int fd_;
  bool held_ = false;
  std::string problem_;
};

// The game in progress, as the table keeps it.
KeptGame game_now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char when[32];
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
  return {uint64_t{game_state.score} * 10, game_state.round + 1u, when};
}

std::string place_text(size_t place) {
  return place == 0
             ? "not among the " + std::to_string(kKeptGames) + " best"
             : "place " + std::to_string(place) + " of the " + std::to_string(kKeptGames) + " best";
}

}  // namespace

std::string scores_path(std::string& problem) {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && data_home[0] == '/') {
    return std::string(data_home) + "/mazewick/scores";
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    return std::string(home) + "/.local/share/mazewick/scores";
  }
  problem = "neither XDG_DATA_HOME nor HOME is set";
  return "";
}

ScoreTable read_scores(const std::string& path) {
  ScoreTable table;
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0) {
    if (errno != ENOENT) {
      table.problem = errno_text();
    }
    return table;
  }
  table.exists = true;
  if (!S_ISREG(status.st_mode)) {
    table.damage = S_ISLNK(status.st_mode) ? "a symbolic link" : "not a file";
    return table;
  }
  // No symlink put in its place since, and no wait on anything but a file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    table.problem = errno_text();
    return table;
  }
  std::string text(kMostBytes + 1, '\0');
  size_t length = 0;
  for (ssize_t got = 1; got > 0 && length < text.size(); length += static_cast<size_t>(got)) {
    got = ::read(fd, text.data() + length, text.size() - length);
    if (got < 0) {
      table.problem = errno_text();
      ::close(fd);
      return table;
    }
  }
  ::close(fd);
  text.resize(length);
  if (length > kMostBytes) {
    table.damage = "longer than a table";
    text.resize(kMostBytes);
  }
  size_t line_number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    const bool cut = end == std::string::npos;
    end = cut ? text.size() : end;
    const std::string line = text.substr(start, end - start);
    ++line_number;
    start = end + 1;
    if (line.empty() ||
        (line[0] == '#' && line.size() <= kMostLineBytes && line.find('\0') == std::string::npos)) {
      continue;
    }
    KeptGame game;
    if (line.size() > kMostLineBytes || !parse_game(line, game)) {
      if (table.damage.empty()) {
        table.damage = "line " + std::to_string(line_number) + " is no kept game";
      }
      continue;
    }
    table.games.push_back(game);
  }
  sort_best_first(table.games);
  if (table.games.size() > kKeptGames) {
    table.damage = table.damage.empty() ? "more games than a table keeps" : table.damage;
    table.games.resize(kKeptGames);
  }
  return table;
}

KeepResult keep_games(const std::string& path, const std::vector<KeptGame>& games) {
  KeepResult result;
  result.places.assign(games.size(), 0);
  if (!make_folders(folder_of(path))) {
    result.problem = folder_of(path) + ": " + errno_text();
    return result;
  }
  const TableLock lock(path);
  if (!lock.held()) {
    result.problem = path + ".lock: " + lock.problem();
    return result;
  }
  const ScoreTable old_table = read_scores(path);
  if (!old_table.problem.empty()) {
    result.problem = path + ": " + old_table.problem;
    return result;
  }
  result.damage = old_table.damage;
  // The new games after the old at equal points: a place is earned by more points.
  std::vector<KeptGame> table = old_table.games;
  table.insert(table.end(), games.begin(), games.end());
  std::vector<size_t> order(table.size());
  for (size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
  }
  std::stable_sort(order.begin(), order.end(),
                   [&table](size_t a, size_t b) { return table[a].points > table[b].points; });
  order.resize(std::min(order.size(), kKeptGames));
  std::vector<KeptGame> best;
  for (size_t place = 0; place < order.size(); ++place) {
    best.push_back(table[order[place]]);
    if (order[place] >= old_table.games.size()) {
      result.places[order[place] - old_table.games.size()] = place + 1;
    }
  }
  const std::string written = write_beside(path, format_table(best));
  if (written.empty()) {
    result.problem = path + ": " + errno_text();
    result.places.assign(games.size(), 0);
    return result;
  }
  if (!result.damage.empty()) {
    const std::string aside = aside_name(path);
    if (rename(path.c_str(), aside.c_str()) != 0) {
      result.problem = path + ": " + errno_text();
      result.places.assign(games.size(), 0);
      unlink(written.c_str());
      return result;
    }
    result.set_aside = aside;
  }
  if (rename(written.c_str(), path.c_str()) != 0) {
    result.problem = path + ": " + errno_text();
    result.places.assign(games.size(), 0);
    unlink(written.c_str());
  }
  return result;
}

std::string table_text(const ScoreTable& table, const std::string& path) {
  if (table.games.empty()) {
    return "No games kept yet in " + path + ".\n";
  }
  std::string text = "The best games, kept in " + path + ":\n";
  for (size_t place = 0; place < table.games.size(); ++place) {
    const KeptGame& game = table.games[place];
    char line[96];
    std::snprintf(line, sizeof line, "%3zu. %12llu points  round %3u  %s\n", place + 1,
                  static_cast<unsigned long long>(game.points), game.round, game.when.c_str());
    text += line;
  }
  return text;
}

std::string kept_text(const std::vector<KeptGame>& games, const KeepResult& result,
                      const std::string& path) {
  std::string text;
  for (size_t i = 0; i < games.size(); ++i) {
    text += "Game " + std::to_string(i + 1) + ": " + std::to_string(games[i].points) +
            " points, round " + std::to_string(games[i].round) +
            (result.problem.empty() ? ": " + place_text(result.places[i]) : "") + ".\n";
  }
  if (!result.problem.empty()) {
    text += "mazewick: the score could not be kept: " + result.problem + "\n";
  } else if (!result.set_aside.empty()) {
    text += "mazewick: " + path + " was damaged (" + result.damage + "): set aside as " +
            result.set_aside + ", its games kept\n";
  }
  return text;
}

void GameTally::paused(uint64_t /*pauses*/) {
  if (!playing_ && game_state.lives != 0) {
    playing_ = true;
  } else if (playing_ && game_state.lives == 0) {
    playing_ = false;
    ended_.push_back(game_now());
  }
}

std::vector<KeptGame> GameTally::games(bool player_quit) const {
  std::vector<KeptGame> games = ended_;
  if (playing_ && player_quit) {
    games.push_back(game_now());
  }
  return games;
}
