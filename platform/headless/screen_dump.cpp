#include "platform/headless/screen_dump.h"

#include "platform/host/cp437.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Appends a character to a JSON string: quote and backslash escaped, control characters as
// escapes, everything else as UTF-8.
void append_json_char(std::string& out, char32_t code_point) {
  switch (code_point) {
    case U'"':
      out += "\\\"";
      return;
    case U'\\':
      out += "\\\\";
      return;
    case U'\b':
      out += "\\b";
      return;
    case U'\f':
      out += "\\f";
      return;
    case U'\n':
      out += "\\n";
      return;
    case U'\r':
      out += "\\r";
      return;
    case U'\t':
      out += "\\t";
      return;
    default:
      break;
  }
  if (code_point < 0x20) {
    out += "\\u00";
    out += kHexDigits[code_point >> 4];
    out += kHexDigits[code_point & 0xF];
    return;
  }
  append_utf8(out, code_point);
}

// The rows of cells, each cell giving one character.
template <typename CellText>
void append_rows(std::string& out, const ConsoleHost& host, CellText cell_text) {
  out += '[';
  for (int y = 0; y < host.height(); ++y) {
    if (y > 0) {
      out += ',';
    }
    out += '"';
    for (int x = 0; x < host.width(); ++x) {
      cell_text(out, host.cell(x, y));
    }
    out += '"';
  }
  out += ']';
}

}  // namespace

std::string screen_dump_json(const ConsoleHost& host, uint64_t pauses) {
  std::string out = "{\"pause\":" + std::to_string(pauses) +
                    ",\"width\":" + std::to_string(host.width()) +
                    ",\"height\":" + std::to_string(host.height()) + ",\"rows\":";
  append_rows(out, host,
              [](std::string& text, const ConsoleCell& cell) { append_json_char(text, cell.ch); });
  out += ",\"fg\":";
  append_rows(out, host, [](std::string& text, const ConsoleCell& cell) {
    text += kHexDigits[cell.attr & 0xF];
  });
  out += ",\"bg\":";
  append_rows(out, host, [](std::string& text, const ConsoleCell& cell) {
    text += kHexDigits[(cell.attr >> 4) & 0xF];
  });
  out += ",\"cursor\":[" + std::to_string(host.cursor_x()) + ',' + std::to_string(host.cursor_y()) +
         ',' + (host.cursor_visible() ? '1' : '0') + ',' + std::to_string(host.cursor_size()) +
         "],\"title\":\"";
  // The title's control characters stay control characters; its other bytes read as the
  // console's code page.
  for (char byte : host.title()) {
    const uint8_t value = static_cast<uint8_t>(byte);
    append_json_char(out, value < 0x20 ? char32_t{value} : cp437_to_unicode(value));
  }
  out += "\"}";
  return out;
}
