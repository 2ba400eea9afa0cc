// Input scripts for headless runs: which keys reach the console, and after how many pauses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One key press of a script: a key that gives a character, or one that gives none.
struct ScriptKey {
  bool has_char;
  uint8_t ch;
};

// The keys of one script line. Up to four are kept in place, so that a recording of many short
// lines (nearly every line of a recording has one key) takes a few times its own size in
// memory, not an allocation per line.
class ScriptKeys {
 public:
  ScriptKeys() = default;
  explicit ScriptKeys(std::span<const ScriptKey> keys);
  ScriptKeys(const ScriptKeys& other) : ScriptKeys(std::span(other.begin(), other.end())) {}
  ScriptKeys(ScriptKeys&& other) noexcept;
  ScriptKeys& operator=(ScriptKeys other) noexcept;
  ~ScriptKeys();

  size_t size() const { return count_; }
  const ScriptKey* begin() const;
  const ScriptKey* end() const { return begin() + count_; }
  const ScriptKey& operator[](size_t index) const { return begin()[index]; }

 private:
  static constexpr uint32_t kInPlace = 4;
  ScriptKey* spilled() const;

  uint32_t count_ = 0;
  // The keys themselves, or for a longer line the address of its own array of them, kept as
  // bytes so that the line needs no more than the pointer's alignment of 4.
  union {
    ScriptKey in_place_[kInPlace];
    unsigned char spilled_address_[8] = {};
  };
};

// One line `T KEYS`: its keys are due once T pauses (Sleep calls) have passed.
struct ScriptLine {
  uint64_t pause;
  ScriptKeys keys;
  int line_number;  // in the script text, from 1
};

struct InputScript {
  std::vector<ScriptLine> lines;
  int error_line = 0;  // the first malformed line, 0 when there is none
  std::string error;   // what is wrong with it
  // The first line with a backslash that starts no escape, 0 when there is none. Such a line is
  // good (the backslash is a key), but no program that writes scripts writes one.
  int stray_backslash_line = 0;
  // The first line whose pause count is past the largest, 0 when there is none.
  int saturated_pause_line = 0;
};

// Reads a script: one line per delivery, a decimal pause count, one space, then the keys to the
// end of the line. Blank lines and lines starting with '#' are skipped; a trailing CR is dropped.
// Escapes in the keys: \\ \s \e \n \r \t \xHH, and \k for a key that gives no character; any
// other backslash stands for itself. Pause counts too large to reach are kept as the largest
// count, and the first line of one is noted.
InputScript parse_input_script(const std::string& text);

// Reads the whole script file `name` into text; "-" is standard input. False when it cannot be
// read.
bool read_script_file(const std::string& name, std::string& text);

// The line `T KEYS` for the given keys, without a line end: a printable character other than the
// backslash stands for itself, every other key is escaped. Reading the line gives the same keys.
std::string script_line(uint64_t pause, std::span<const ScriptKey> keys);
