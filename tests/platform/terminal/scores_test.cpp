#include "platform/terminal/scores.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/run_files.h"

namespace {

namespace fs = std::filesystem;

std::string fresh_folder(const std::string& name) {
  const std::string folder = temp_path(name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// Programs adding their games at the same moment: none is lost, and the table stays a table.
TEST(Scores, ManyProgramsAddingAtOnceLoseNoGame) {
  const std::string path = fresh_folder("many") + "/data/mazewick/scores";
  constexpr int kPrograms = 8;
  int start[2];
  ASSERT_EQ(pipe(start), 0);
  for (int program = 0; program < kPrograms; ++program) {
    if (fork() == 0) {
      char go = 0;
      const bool started = read(start[0], &go, 1) == 1;
      const KeepResult kept = keep_games(path, {{10u * (program + 1), 1, "2026-12-09 07:30"}});
      _exit(started && kept.problem.empty() && kept.places[0] != 0 ? 0 : 1);
    }
  }
  ASSERT_EQ(write(start[1], std::string(kPrograms, 'g').data(), kPrograms), kPrograms);
  for (int program = 0; program < kPrograms; ++program) {
    int status = 0;
    wait(&status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const ScoreTable table = read_scores(path);
  EXPECT_EQ(table.damage, "");
  ASSERT_EQ(table.games.size(), static_cast<size_t>(kPrograms));
  EXPECT_EQ(table.games.front().points, 80u);
  EXPECT_EQ(table.games.back().points, 10u);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}), 2)
      << "the table and its lock, no file left half written";
}

// A damaged or hostile table is read for what it holds and set aside whole, never trusted.
TEST(Scores, ADamagedTableIsSetAsideAndWhatCanBeReadIsKept) {
  std::string games;  // more than a table keeps
  for (int game = 0; game < 12; ++game) {
    games += "120 2 2026-01-02 03:04\n";
  }
  const struct {
    const char* what;
    std::string text;  // empty for a folder in its place, "->" for a symlink
    size_t readable;
  } cases[] = {
      {"far too many games, binary, NUL bytes, numbers out of range and an endless line",
       games + std::string("\x00\x01\xff 9 9\n", 8) +
           "99999999999999 1 2026-01-02 03:04\n5 0 2026-13-02 03:04\n" + std::string(100000, '7'),
       10},
      {"a folder in its place", "", 0},
      {"a symlink in its place", "->", 0},
  };
  for (const auto& c : cases) {
    const std::string path = fresh_folder("damaged") + "/scores";
    if (c.text.empty()) {
      fs::create_directory(path);
    } else if (c.text == "->") {
      fs::create_symlink("/etc/passwd", path);
    } else {
      std::ofstream(path, std::ios::binary) << c.text;
    }
    const KeepResult kept = keep_games(path, {{50, 1, "2026-12-09 07:30"}});
    EXPECT_EQ(kept.problem, "") << c.what;
    EXPECT_NE(kept.damage, "") << c.what;
    EXPECT_EQ(kept.set_aside, path + ".damaged") << c.what;
    EXPECT_EQ(c.text.size() > 2 ? read_file(kept.set_aside) : "", c.text.size() > 2 ? c.text : "")
        << c.what;
    const ScoreTable table = read_scores(path);
    EXPECT_EQ(table.damage, "") << c.what;
    EXPECT_EQ(table.games.size(), std::min<size_t>(c.readable + 1, kKeptGames)) << c.what;
  }
}

// Where the table cannot be written the old one stays as it was, and the reason is given.
TEST(Scores, AGameThatCannotBeKeptLeavesTheOldTable) {
  const std::string folder = fresh_folder("unwritable");
  const std::string path = folder + "/scores";
  ASSERT_EQ(keep_games(path, {{70, 3, "2026-12-09 07:30"}}).places[0], 1u);
  const std::string before = read_file(path);
  if (fork() == 0) {
    // A disk that takes only a few bytes more.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit few_bytes = {16, 16};
    setrlimit(RLIMIT_FSIZE, &few_bytes);
    const KeepResult full = keep_games(path, {{90, 4, "2026-12-09 07:31"}});
    _exit(full.problem == path + ": " + std::strerror(EFBIG) ? 0 : 1);
  }
  int status = 0;
  wait(&status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(read_file(path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "no file left half written";
}

}  // namespace
