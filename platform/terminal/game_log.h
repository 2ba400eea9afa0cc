// Recordings and traces of the games played on the terminal, in mazewick-sim's formats: a
// recording is an input script of the keys the game was given, each with the pause count at
// which it joined the input queue; a trace has the game's state at every pause.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/terminal/terminal_frontend.h"

// A file written a line at a time: each line goes to the system in one write as soon as it is
// made, so that a game ended by a signal or a crash leaves every line before it, and none by half.
// Until the game begins the file is left as it was, or not made at all; a regular file is locked
// from open on, so that no other game writes to it meanwhile.
class LineFile {
 public:
  LineFile() = default;
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;
  ~LineFile();

  // Makes sure the file can be written, leaving what it holds, and creating none. Empty when that
  // worked, else what went wrong.
  std::string open(const std::string& name);
  bool started() const { return started_; }
  // Creates or empties the file: from here on it holds what this game writes.
  void start();
  // Writes the line and a line end. After a line that could not be written whole, which is cut
  // off again, nothing more is written.
  void write_line(const std::string& line);
  // What went wrong writing, empty when nothing did.
  const std::string& write_error() const { return write_error_; }

 private:
  // False, with the problem told, when another game writes to the regular file open as fd_.
  bool lock(std::string& problem);

  int fd_ = -1;
  std::string name_;
  bool started_ = false;
  off_t length_ = 0;
  std::string write_error_;
};

// The comment lines a recording starts with: the version, the time (UTC) and the terminal size.
std::vector<std::string> recording_header(std::time_t when, int columns, int rows);

// Writes the keys the live game is given to a recording and its state at every pause to a trace.
class GameLog final : public TerminalObserver {
 public:
  // Opens the files asked for, before the terminal is taken. Empty when all could be opened,
  // else what went wrong.
  std::string open(const std::optional<std::string>& recording,
                   const std::optional<std::string>& trace);
  // Once the game has begun on a terminal of that size: makes or empties the files and heads the
  // recording.
  void began(int columns, int rows) override;
  // What went wrong writing, one message line per file, empty when nothing did.
  std::string write_errors() const;

  void paused(uint64_t pauses) override;
  void keys_queued(uint64_t pauses, const std::vector<TerminalKey>& keys) override;

 private:
  LineFile recording_;
  LineFile trace_;
};

// Reads a recording to replay: an input script of at most 16 MiB, each line at most 1 MiB, whose
// pause counts fit 64 bits and never go back and whose every backslash starts an escape. Empty
// when it is good, else one line naming the file and the line.
std::string load_recording(const std::string& name, std::vector<ScriptLine>& lines);
