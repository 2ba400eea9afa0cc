#include "platform/headless/input_script.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
#include <utility>

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

// The keys written as a backslash and one letter, other than \k and \xHH.
struct NamedEscape {
  char code;
  uint8_t ch;
};
constexpr NamedEscape kNamedEscapes[] = {{'\\', '\\'}, {'s', ' '},  {'e', kEscapeKey},
                                         {'n', '\n'},  {'r', '\r'}, {'t', '\t'}};

// The keys of one line, escapes resolved; stray tells of a backslash that starts no escape.
void parse_keys(std::string_view keys, std::vector<ScriptKey>& result, bool& stray) {
  result.clear();
  size_t i = 0;
  while (i < keys.size()) {
    const char c = keys[i++];
    if (c != '\\' || i == keys.size()) {
      stray = stray || c == '\\';
      result.push_back({true, static_cast<uint8_t>(c)});
      continue;
    }
    const char code = keys[i];
    const auto named = std::find_if(std::begin(kNamedEscapes), std::end(kNamedEscapes),
                                    [code](const NamedEscape& e) { return e.code == code; });
    if (named != std::end(kNamedEscapes)) {
      result.push_back({true, named->ch});
      i += 1;
    } else if (code == 'k') {
      result.push_back({false, 0});
      i += 1;
    } else if (code == 'x' && i + 2 < keys.size() && hex_value(keys[i + 1]) >= 0 &&
               hex_value(keys[i + 2]) >= 0) {
      result.push_back(
          {true, static_cast<uint8_t>(hex_value(keys[i + 1]) * 16 + hex_value(keys[i + 2]))});
      i += 3;
    } else {
      // Not an escape: the backslash is a key of its own and the next byte is read afresh.
      stray = true;
      result.push_back({true, '\\'});
    }
  }
}

}  // namespace

static_assert(sizeof(ScriptLine) <= 24, "a script line stays small beside its text");

ScriptKeys::ScriptKeys(std::span<const ScriptKey> keys)
    : count_(static_cast<uint32_t>(keys.size())) {
  if (count_ <= kInPlace) {
    std::copy(keys.begin(), keys.end(), in_place_);
  } else {
    ScriptKey* spilled = new ScriptKey[count_];
    std::copy(keys.begin(), keys.end(), spilled);
    std::memcpy(spilled_address_, &spilled, sizeof spilled);
  }
}

ScriptKeys::ScriptKeys(ScriptKeys&& other) noexcept : count_(std::exchange(other.count_, 0)) {
  std::memcpy(spilled_address_, other.spilled_address_, sizeof spilled_address_);
}

ScriptKeys& ScriptKeys::operator=(ScriptKeys other) noexcept {
  std::swap(count_, other.count_);
  unsigned char mine[sizeof spilled_address_];
  std::memcpy(mine, spilled_address_, sizeof mine);
  std::memcpy(spilled_address_, other.spilled_address_, sizeof mine);
  std::memcpy(other.spilled_address_, mine, sizeof mine);
  return *this;
}

ScriptKeys::~ScriptKeys() {
  if (count_ > kInPlace) {
    delete[] spilled();
  }
}

const ScriptKey* ScriptKeys::begin() const {
  return count_ <= kInPlace ? in_place_ : spilled();
}

ScriptKey* ScriptKeys::spilled() const {
  ScriptKey* spilled = nullptr;
  std::memcpy(&spilled, spilled_address_, sizeof spilled);
  return spilled;
}

InputScript parse_input_script(const std::string& text) {
  InputScript script;
  std::vector<ScriptKey> keys;  // of the line read, reused from line to line
  // One line of the script a line of text at most: no line is moved as the list grows.
  script.lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
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
      if (pause > (kMaxPause - digit) / 10) {
        pause = kMaxPause;
        script.saturated_pause_line =
            script.saturated_pause_line != 0 ? script.saturated_pause_line : line_number;
      } else {
        pause = pause * 10 + digit;
      }
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
    bool stray = false;
    parse_keys(std::string_view(line).substr(digits + 1), keys, stray);
    if (keys.size() > std::numeric_limits<uint32_t>::max()) {
      script.error_line = line_number;
      script.error = "more keys on one line than a script can hold";
      return script;
    }
    script.lines.push_back({pause, ScriptKeys(keys), line_number});
    if (stray && script.stray_backslash_line == 0) {
      script.stray_backslash_line = line_number;
    }
  }
  return script;
}

std::string script_line(uint64_t pause, std::span<const ScriptKey> keys) {
  std::string line = std::to_string(pause) + ' ';
  for (const ScriptKey& key : keys) {
    const uint8_t c = key.ch;
    const auto named = std::find_if(std::begin(kNamedEscapes), std::end(kNamedEscapes),
                                    [c](const NamedEscape& e) { return e.ch == c; });
    if (!key.has_char) {
      line += "\\k";
    } else if (named != std::end(kNamedEscapes)) {
      line += '\\';
      line += named->code;
    } else if (c > ' ' && c < 0x7F) {
      line += static_cast<char>(c);
    } else {
      constexpr char kHexDigits[] = "0123456789abcdef";
      line += "\\x";
      line += kHexDigits[c >> 4];
      line += kHexDigits[c & 0x0F];
    }
  }
  return line;
}

bool read_script_file(const std::string& name, std::string& text) {
  std::FILE* file = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char block[4096];
  size_t count = 0;
  while ((count = std::fread(block, 1, sizeof block, file)) > 0) {
    text.append(block, count);
  }
  const bool read_all = std::ferror(file) == 0;
  if (file != stdin) {
    std::fclose(file);
  }
  return read_all;
}
