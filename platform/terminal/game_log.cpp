#include "platform/terminal/game_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "game/game_main.h"
#include "game/game_state.h"
#include "platform/headless/game_trace.h"

namespace {

std::string system_error(const char* what, const std::string& name) {
  return std::string(what) + " " + name + ": " + std::strerror(errno);
}

}  // namespace

LineFile::~LineFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

std::string LineFile::open(const std::string& name) {
  fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    return system_error("cannot write", name);
  }
  name_ = name;
  return "";
}

void LineFile::start() {
  struct stat status {};
  // A pipe or a device has nothing to empty.
  if (fd_ >= 0 && fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) && ftruncate(fd_, 0) != 0) {
    write_error_ = system_error("cannot write", name_);
  }
}

void LineFile::write_line(const std::string& line) {
  if (fd_ < 0 || !write_error_.empty()) {
    return;
  }
  const std::string whole = line + '\n';
  size_t done = 0;
  while (done < whole.size()) {
    const ssize_t written = ::write(fd_, whole.data() + done, whole.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written < 0) {
      write_error_ = system_error("cannot write", name_);
      // Half a line would spoil the file as a script.
      [[maybe_unused]] const int cut = ftruncate(fd_, length_);
      return;
    }
    done += static_cast<size_t>(written);
  }
  length_ += static_cast<off_t>(done);
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

void GameLog::start(int columns, int rows) {
  recording_.start();
  trace_.start();
  if (recording_.is_open()) {
    for (const std::string& line : recording_header(std::time(nullptr), columns, rows)) {
      recording_.write_line(line);
    }
  }
}

std::string GameLog::write_errors() const {
  std::string errors;
  for (const LineFile* file : {&recording_, &trace_}) {
    if (!file->write_error().empty()) {
      errors += file->write_error() + "\n";
    }
  }
  return errors;
}

void GameLog::paused(uint64_t pauses) {
  if (trace_.is_open()) {
    trace_.write_line(trace_json(game_state, pauses));
  }
}

void GameLog::keys_queued(uint64_t pauses, const std::vector<TerminalKey>& keys) {
  if (recording_.is_open()) {
    std::vector<ScriptKey> script_keys;
    for (const TerminalKey& key : keys) {
      script_keys.push_back({key.has_char, key.ch});
    }
    recording_.write_line(script_line(pauses, script_keys));
  }
}

std::string load_recording(const std::string& name, std::vector<ScriptLine>& lines) {
  std::string text;
  // A recording named "-" is a file: standard input is the terminal.
  if (!read_script_file(name == "-" ? "./-" : name, text)) {
    return system_error("cannot read", name);
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
