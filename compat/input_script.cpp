#include "input_script.h"

#include <limits>

namespace {

constexpr uint8_t kEscapeKey = 0x1B;

bool is_decimal(char c) {
  return c >= '0' && c <= '9';
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

bool is_blank(const std::string& line) {
  for (char c : line) {
    if (c != ' ' && c != '\t') {
      return false;
    }
  }
  return true;
}

// The keys of one line, escapes resolved.
std::vector<ScriptKey> parse_keys(const std::string& keys) {
  std::vector<ScriptKey> result;
  size_t i = 0;
  while (i < keys.size()) {
    const char c = keys[i];
    if (c != '\\' || i + 1 == keys.size()) {
      result.push_back({true, static_cast<uint8_t>(c)});
      ++i;
      continue;
    }
    const char code = keys[i + 1];
    i += 2;
    switch (code) {
      case '\\':
        result.push_back({true, '\\'});
        break;
      case 's':
        result.push_back({true, ' '});
        break;
      case 'e':
        result.push_back({true, kEscapeKey});
        break;
      case 'n':
        result.push_back({true, '\n'});
        break;
      case 'r':
        result.push_back({true, '\r'});
        break;
      case 't':
        result.push_back({true, '\t'});
        break;
      case 'k':
        result.push_back({false, 0});
        break;
      default:
        if (code == 'x' && i + 1 < keys.size() && hex_value(keys[i]) >= 0 &&
            hex_value(keys[i + 1]) >= 0) {
          result.push_back(
              {true, static_cast<uint8_t>(hex_value(keys[i]) * 16 + hex_value(keys[i + 1]))});
          i += 2;
        } else {
          // Not an escape: the backslash is a key of its own and the next byte is read afresh.
          result.push_back({true, '\\'});
          i -= 1;
        }
        break;
    }
  }
  return result;
}

}  // namespace

InputScript parse_input_script(const std::string& text) {
  InputScript script;
  size_t start = 0;
  int line_number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (is_blank(line) || line[0] == '#') {
      continue;
    }
    size_t digits = 0;
    uint64_t pause = 0;
    constexpr uint64_t kMaxPause = std::numeric_limits<uint64_t>::max();
    while (digits < line.size() && is_decimal(line[digits])) {
      const uint64_t digit = static_cast<uint64_t>(line[digits] - '0');
      pause = pause > (kMaxPause - digit) / 10 ? kMaxPause : pause * 10 + digit;
      ++digits;
    }
    if (digits == 0) {
      script.error_line = line_number;
      script.error = "the pause count is not a decimal number";
      return script;
    }
    if (digits == line.size() || line[digits] != ' ') {
      script.error_line = line_number;
      script.error = "no space after the pause count";
      return script;
    }
    script.lines.push_back({pause, parse_keys(line.substr(digits + 1)), line_number});
  }
  return script;
}
