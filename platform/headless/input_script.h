// Input scripts for headless runs: which keys reach the console, and after how many pauses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One key press of a script: a key that gives a character, or one that gives none.
struct ScriptKey {
  bool has_char;
  uint8_t ch;
};

// One line `T KEYS`: its keys are due once T pauses (Sleep calls) have passed.
struct ScriptLine {
  uint64_t pause;
  std::vector<ScriptKey> keys;
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
std::string script_line(uint64_t pause, const std::vector<ScriptKey>& keys);
