#include "platform/terminal/game_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "game/game_main.h"
#include "game/game_state.h"
#include "platform/headless/game_trace.h"
#include "platform/terminal/terminal_options.h"
#include "platform/terminal/terminal_signals.h"

namespace {

std::string system_error(const char* what, const std::string& name) {
  return std::string(what) + " " + name + ": " + std::strerror(errno);
}

// No game played makes a recording or a line this long: a longer one is refused before it can
// fill the memory (/dev/zero, a pasted file).
constexpr size_t kLongestRecording = size_t{16} << 20;
constexpr size_t kLongestLine = size_t{1} << 20;

// Reads the file, but never more than one byte past the limit.
bool read_at_most(const std::string& name, size_t limit, std::string& text) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char block[65536];
  size_t count = 0;
  while (text.size() <= limit &&
         (count = std::fread(block, 1, std::min(sizeof block, limit + 1 - text.size()), file)) >
             0) {
    text.append(block, count);
  }
  const bool read_all = std::ferror(file) == 0;
  std::fclose(file);
  return read_all;
}

// "LINE: what is too long", or empty when the text keeps to the limits.
std::string size_fault(const std::string& text) {
  int line_number = 1;
  size_t line_start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (at == kLongestRecording) {
      return std::to_string(line_number) + ": the recording goes on past " +
             std::to_string(kLongestRecording) + " bytes";
    }
    if (text[at] == '\n') {
      ++line_number;
      line_start = at + 1;
    } else if (at - line_start == kLongestLine) {
      return std::to_string(line_number) + ": a line longer than " + std::to_string(kLongestLine) +
             " bytes";
    }
  }
  return "";
}

}  // namespace

LineFile::~LineFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

std::string LineFile::open(const std::string& name) {
  name_ = name;
  fd_ = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd_ >= 0) {
    std::string problem;
    return lock(problem) ? "" : problem;
  }
  if (errno != ENOENT) {
    return system_error("cannot write", name);
  }
  // A new file is made once the game begins, in a folder that takes it.
  if (access(folder_holding(name).c_str(), W_OK | X_OK) != 0) {
    return system_error("cannot write", name);
  }
  return "";
}

bool LineFile::lock(std::string& problem) {
  struct stat status {};
  if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    return true;
  }
  problem = errno == EWOULDBLOCK ? name_ + " is being written by another game"
                                 : system_error("cannot lock", name_);
  return false;
}

void LineFile::start() {
  if (name_.empty()) {
    return;
  }
  if (fd_ < 0) {
    fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      write_error_ = system_error("cannot write", name_);
      return;
    }
    if (!lock(write_error_)) {
      return;
    }
  }
  started_ = true;
  struct stat status {};
  // A pipe or a device has nothing to empty.
  if (fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) && ftruncate(fd_, 0) != 0) {
    write_error_ = system_error("cannot write", name_);
  }
}

void LineFile::write_line(const std::string& line) {
  if (!started_ || !write_error_.empty()) {
    return;
  }
  const std::string whole = line + '\n';
  if (!write_all(fd_, whole)) {
    write_error_ = system_error("cannot write", name_);
    // Half a line would spoil the file as a script.
    [[maybe_unused]] const int cut = ftruncate(fd_, length_);
    return;
  }
  length_ += static_cast<off_t>(whole.size());
}

std::vector<std::string> recording_header(std::time_t when, int columns, int rows) {
  std::tm utc{};
  gmtime_r(&when, &utc);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S UTC", &utc);
  return {std::string("# ") + kGameTitle + " recording", std::string("# recorded ") + date,
          "# terminal " + std::to_string(columns) + " x " + std::to_string(rows)};
}

std::string GameLog::open(const std::optional<std::string>& recording,
                          const std::optional<std::string>& trace) {
  if (recording) {
    const std::string problem = recording_.open(*recording);
    if (!problem.empty()) {
      return problem;
    }
  }
  return trace ? trace_.open(*trace) : "";
}

void GameLog::began(int columns, int rows) {
  recording_.start();
  trace_.start();
  if (recording_.started()) {
    for (const std::string& line : recording_header(std::time(nullptr), columns, rows)) {
      recording_.write_line(line);
    }
  }
}

std::string GameLog::write_errors() const {
  std::string errors;
  for (const LineFile* file : {&recording_, &trace_}) {
    if (!file->write_error().empty()) {
      errors += "mazewick: " + shown_safely(file->write_error()) + "\n";
    }
  }
  return errors;
}

void GameLog::paused(uint64_t pauses) {
  if (trace_.started()) {
    trace_.write_line(trace_json(game_state, pauses));
  }
}

void GameLog::keys_queued(uint64_t pauses, const std::vector<TerminalKey>& keys) {
  if (recording_.started()) {
    std::vector<ScriptKey> script_keys;
    for (const TerminalKey& key : keys) {
      script_keys.push_back({key.has_char, key.ch});
    }
    recording_.write_line(script_line(pauses, script_keys));
  }
}

std::string load_recording(const std::string& name, std::vector<ScriptLine>& lines) {
  std::string text;
  if (!read_at_most(name, kLongestRecording, text)) {
    return system_error("cannot read", name);
  }
  const std::string too_long = size_fault(text);
  if (!too_long.empty()) {
    return name + ":" + too_long;
  }
  InputScript script = parse_input_script(text);
  // The first of the faults, as the line numbers go.
  int fault_line = script.error_line;
  std::string fault = script.error;
  const auto note = [&](int line, const std::string& what) {
    if (line != 0 && (fault_line == 0 || line < fault_line)) {
      fault_line = line;
      fault = what;
    }
  };
  note(script.stray_backslash_line, "a backslash that starts no escape");
  note(script.saturated_pause_line,
       "a pause count past the largest, " + std::to_string(std::numeric_limits<uint64_t>::max()));
  for (size_t index = 1; index < script.lines.size(); ++index) {
    const ScriptLine& line = script.lines[index];
    const uint64_t before = script.lines[index - 1].pause;
    if (line.pause < before) {
      note(line.line_number, "the pause count goes back from " + std::to_string(before) + " to " +
                                 std::to_string(line.pause));
      break;
    }
  }
  if (fault_line != 0) {
    return name + ":" + std::to_string(fault_line) + ": " + fault;
  }
  lines = std::move(script.lines);
  return "";
}
