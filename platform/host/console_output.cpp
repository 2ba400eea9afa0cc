// The screen buffer's side of the console: what the program writes, and the buffer, window,
// cursor and title it sets.
#include <algorithm>

#include "platform/host/console_host.h"
#include "platform/host/console_host_shared.h"
#include "platform/host/cp437.h"

namespace {

constexpr char32_t kBell = 0x07;
constexpr char32_t kTab = 0x09;
constexpr char32_t kVerticalTab = 0x0B;
constexpr char32_t kFormFeed = 0x0C;
constexpr char32_t kShiftOut = 0x0E;
constexpr char32_t kShiftIn = 0x0F;
constexpr char32_t kCancel = 0x18;
constexpr char32_t kSubstitute = 0x1A;
constexpr char32_t kEscape = 0x1B;
constexpr char32_t kDelete = 0x7F;
constexpr int kTabWidth = 8;
constexpr uint32_t kProcessedOutput = 0x1;
constexpr uint32_t kWrapAtEndOfRow = 0x2;
constexpr uint32_t kVirtualTerminal = 0x4;
constexpr uint32_t kNoAutoReturn = 0x8;

// The DEC line-drawing set, which ESC ( 0 or ESC ) 0 puts in place of ASCII 0x5F..0x7E.
constexpr char32_t kLineDrawing[32] = {
    U'\u00A0', U'\u25C6', U'\u2592', U'\u2409', U'\u240C', U'\u240D', U'\u240A', U'\u00B0',
    U'\u00B1', U'\u2424', U'\u240B', U'\u2518', U'\u2510', U'\u250C', U'\u2514', U'\u253C',
    U'\u23BA', U'\u23BB', U'\u2500', U'\u23BC', U'\u23BD', U'\u251C', U'\u2524', U'\u2534',
    U'\u252C', U'\u2502', U'\u2264', U'\u2265', U'\u03C0', U'\u2260', U'\u00A3', U'\u00B7',
};

bool inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

bool is_control(char32_t c) {
  return c < 0x20 || c == kDelete;
}

}  // namespace

ConsoleCell& ConsoleHost::cell_at(int x, int y) {
  return cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void ConsoleHost::newline(bool keep_column) {
  if (!keep_column) {
    cursor_x_ = 0;
  }
  if (cursor_y_ + 1 < height_) {
    ++cursor_y_;
    return;
  }
  // At the bottom the buffer moves up one row and the new row is blank in the current colours.
  std::copy(cells_.begin() + width_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - width_, cells_.end(), ConsoleCell{' ', attribute_});
}

// Processed output carries out these control characters.
bool ConsoleHost::process_control(char32_t c) {
  switch (c) {
    case kBell:
      return true;
    case kBackspace:
      cursor_x_ = std::max(cursor_x_ - 1, 0);
      return true;
    case kTab:
      cursor_x_ = std::min((cursor_x_ / kTabWidth + 1) * kTabWidth, width_ - 1);
      return true;
    case kLineFeed:
      newline();
      return true;
    case kCarriageReturn:
      cursor_x_ = 0;
      return true;
    default:
      return false;
  }
}

void ConsoleHost::put_char(char32_t c) {
  if ((output_mode_ & kVirtualTerminal) != 0) {
    put_terminal_char(c);
    return;
  }
  wrap_due_ = false;
  if (is_control(c)) {
    if ((output_mode_ & kProcessedOutput) != 0 && process_control(c)) {
      return;
    }
    // From a single-byte code page the other control bytes show as the font's glyphs for them;
    // what UTF-8 gives has none, and is dropped.
    if (code_page_ == kCodePageUtf8) {
      return;
    }
    c = cp437_to_unicode(static_cast<uint8_t>(c));
  }
  print(c);
}

void ConsoleHost::print(char32_t c) {
  const bool wraps = (output_mode_ & kWrapAtEndOfRow) != 0;
  // The terminal engine wraps only when a character comes after the last column is written.
  if (wrap_due_ && wraps) {
    newline();
  }
  wrap_due_ = false;
  cell_at(cursor_x_, cursor_y_) = {c, attribute_};
  // Wrapping moves on to the next row as soon as the last column is written; without it the
  // cursor stays there and the next character takes its place.
  if (cursor_x_ + 1 < width_) {
    ++cursor_x_;
  } else if ((output_mode_ & kVirtualTerminal) != 0) {
    wrap_due_ = wraps;
  } else if (wraps) {
    newline();
  }
}

void ConsoleHost::put_terminal_char(char32_t c) {
  // Cancel and substitute end any sequence, escape starts a new one, and the other control
  // characters are carried out even inside one.
  if (c == kCancel || c == kSubstitute) {
    sequence_ = Sequence::kNone;
    return;
  }
  if (c == kEscape) {
    sequence_ = Sequence::kEscape;
    intermediate_ = 0;
    return;
  }
  if (c < 0x20) {
    if (sequence_ != Sequence::kOperatingSystem && sequence_ != Sequence::kString) {
      execute_terminal_control(c);
    } else if (c == kBell) {
      sequence_ = Sequence::kNone;  // a bell also ends an operating system command
    }
    return;
  }
  if (c == kDelete) {
    return;
  }
  switch (sequence_) {
    case Sequence::kNone: {
      const bool drawing = line_drawing_[shifted_ ? 1 : 0] && c >= 0x5F && c <= 0x7E;
      print(drawing ? kLineDrawing[c - 0x5F] : c);
      return;
    }
    case Sequence::kEscape:
      if (c >= 0x20 && c <= 0x2F) {
        intermediate_ = c;
      } else if (intermediate_ == 0 && c == '[') {
        sequence_ = Sequence::kControl;
      } else if (intermediate_ == 0 && c == ']') {
        sequence_ = Sequence::kOperatingSystem;
      } else if (intermediate_ == 0 && (c == 'P' || c == 'X' || c == '^' || c == '_')) {
        sequence_ = Sequence::kString;
      } else {
        finish_escape(c);
      }
      return;
    case Sequence::kControl:
      // Parameters and intermediates up to the final character. The game writes no control
      // sequence, so the model reads them whole and carries none out.
      if (c >= 0x40 && c <= 0x7E) {
        sequence_ = Sequence::kNone;
      }
      return;
    case Sequence::kOperatingSystem:
    case Sequence::kString:
      return;  // up to the string terminator, ESC backslash
  }
}

void ConsoleHost::execute_terminal_control(char32_t c) {
  switch (c) {
    case kBell:
      return;
    case kLineFeed:
    case kVerticalTab:
    case kFormFeed:
      wrap_due_ = false;
      newline((output_mode_ & kNoAutoReturn) != 0);
      return;
    case kShiftOut:
      shifted_ = true;
      return;
    case kShiftIn:
      shifted_ = false;
      return;
    default:
      // Backspace, tab and carriage return move the cursor as processed output does. Enquiry
      // sends the answerback message, which is empty as the console starts; the other control
      // characters do nothing. None of them shows.
      if (process_control(c)) {
        wrap_due_ = false;
      }
      return;
  }
}

void ConsoleHost::finish_escape(char32_t final_char) {
  sequence_ = Sequence::kNone;
  if (intermediate_ == '(' || intermediate_ == ')') {
    line_drawing_[intermediate_ == ')' ? 1 : 0] = final_char == '0';
  } else if (intermediate_ == 0 && final_char == '7') {
    saved_cursor_x_ = cursor_x_;
    saved_cursor_y_ = cursor_y_;
  } else if (intermediate_ == 0 && final_char == '8') {
    cursor_x_ = std::min(saved_cursor_x_, width_ - 1);
    cursor_y_ = std::min(saved_cursor_y_, height_ - 1);
    wrap_due_ = false;
  }
}

bool ConsoleHost::write_console(const char* bytes, uint32_t count, uint32_t* written) {
  for (uint32_t i = 0; i < count; ++i) {
    char32_t chars[2];
    const int decoded = decoder_.decode(static_cast<uint8_t>(bytes[i]), chars);
    for (int k = 0; k < decoded; ++k) {
      put_char(chars[k]);
    }
  }
  if (written != nullptr) {
    *written = count;
  }
  bump();
  return true;
}

char32_t ConsoleHost::shown_for_fill(uint8_t byte) const {
  const char32_t c = ByteDecoder::single(code_page_, byte);
  return is_control(c) ? cp437_to_unicode(static_cast<uint8_t>(c)) : c;
}

bool ConsoleHost::set_text_attribute(uint16_t attribute) {
  attribute_ = attribute;
  return true;
}

bool ConsoleHost::set_cursor_position(int x, int y) {
  if (!inside(x, y, 0, 0, width_ - 1, height_ - 1)) {
    return false;
  }
  cursor_x_ = x;
  cursor_y_ = y;
  wrap_due_ = false;
  bump();
  return true;
}

bool ConsoleHost::scroll(int left, int top, int right, int bottom, bool has_clip, int clip_left,
                         int clip_top, int clip_right, int clip_bottom, int dest_x, int dest_y,
                         uint8_t fill_byte, uint16_t fill_attr) {
  // The source is cut to the buffer; the destination moves with its top-left corner.
  const int src_left = std::max(left, 0);
  const int src_top = std::max(top, 0);
  const int src_right = std::min(right, width_ - 1);
  const int src_bottom = std::min(bottom, height_ - 1);
  if (src_left > src_right || src_top > src_bottom) {
    return true;
  }
  dest_x += src_left - left;
  dest_y += src_top - top;
  if (!has_clip) {
    clip_left = 0;
    clip_top = 0;
    clip_right = width_ - 1;
    clip_bottom = height_ - 1;
  }
  clip_left = std::max(clip_left, 0);
  clip_top = std::max(clip_top, 0);
  clip_right = std::min(clip_right, width_ - 1);
  clip_bottom = std::min(clip_bottom, height_ - 1);

  const char32_t shown_fill = shown_for_fill(fill_byte);
  const int columns = src_right - src_left + 1;
  const int rows = src_bottom - src_top + 1;
  std::vector<ConsoleCell> source;
  source.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  for (int y = src_top; y <= src_bottom; ++y) {
    for (int x = src_left; x <= src_right; ++x) {
      source.push_back(cell_at(x, y));
    }
  }
  const int dest_right = dest_x + columns - 1;
  const int dest_bottom = dest_y + rows - 1;
  for (int y = src_top; y <= src_bottom; ++y) {
    for (int x = src_left; x <= src_right; ++x) {
      if (inside(x, y, clip_left, clip_top, clip_right, clip_bottom) &&
          !inside(x, y, dest_x, dest_y, dest_right, dest_bottom)) {
        cell_at(x, y) = {shown_fill, fill_attr};
      }
    }
  }
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int x = dest_x + column;
      const int y = dest_y + row;
      if (inside(x, y, clip_left, clip_top, clip_right, clip_bottom)) {
        cell_at(x, y) = source[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                               static_cast<size_t>(column)];
      }
    }
  }
  bump();
  return true;
}

bool ConsoleHost::set_window(int left, int top, int right, int bottom) {
  if (left > right || top > bottom || !inside(left, top, 0, 0, width_ - 1, height_ - 1) ||
      !inside(right, bottom, 0, 0, width_ - 1, height_ - 1)) {
    return false;
  }
  window_left_ = left;
  window_top_ = top;
  window_right_ = right;
  window_bottom_ = bottom;
  bump();
  return true;
}

bool ConsoleHost::set_buffer_size(int width, int height) {
  // The buffer is never smaller than the window that shows it.
  const int window_width = window_right_ - window_left_ + 1;
  const int window_height = window_bottom_ - window_top_ + 1;
  if (width < window_width || height < window_height) {
    return false;
  }
  std::vector<ConsoleCell> cells(static_cast<size_t>(width) * static_cast<size_t>(height),
                                 kBlankCell);
  for (int y = 0; y < std::min(height, height_); ++y) {
    for (int x = 0; x < std::min(width, width_); ++x) {
      cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          cell_at(x, y);
    }
  }
  cells_.swap(cells);
  width_ = width;
  height_ = height;
  cursor_x_ = std::min(cursor_x_, width - 1);
  cursor_y_ = std::min(cursor_y_, height - 1);
  // The window keeps its size and moves back inside a buffer that no longer reaches it.
  window_left_ = std::min(window_left_, width - window_width);
  window_top_ = std::min(window_top_, height - window_height);
  window_right_ = window_left_ + window_width - 1;
  window_bottom_ = window_top_ + window_height - 1;
  bump();
  return true;
}

bool ConsoleHost::set_cursor_info(uint32_t size, bool visible) {
  if (size < 1 || size > 100) {
    return false;
  }
  cursor_size_ = static_cast<int>(size);
  cursor_visible_ = visible;
  bump();
  return true;
}

template <typename SetCell>
bool ConsoleHost::fill(uint32_t length, int x, int y, uint32_t* written, SetCell set) {
  if (!inside(x, y, 0, 0, width_ - 1, height_ - 1)) {
    return false;
  }
  // The fill runs on from row to row and stops at the end of the buffer.
  const size_t first =
      static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  const size_t count = std::min<size_t>(length, cells_.size() - first);
  for (size_t i = first; i < first + count; ++i) {
    set(cells_[i]);
  }
  if (written != nullptr) {
    *written = static_cast<uint32_t>(count);
  }
  bump();
  return true;
}

bool ConsoleHost::fill_characters(uint8_t ch, uint32_t length, int x, int y, uint32_t* written) {
  const char32_t shown = shown_for_fill(ch);
  return fill(length, x, y, written, [shown](ConsoleCell& cell) { cell.ch = shown; });
}

bool ConsoleHost::fill_attributes(uint16_t attribute, uint32_t length, int x, int y,
                                  uint32_t* written) {
  return fill(length, x, y, written, [attribute](ConsoleCell& cell) { cell.attr = attribute; });
}

void ConsoleHost::set_title(const std::string& title) {
  title_ = title;
  bump();
}

void ConsoleHost::set_output_mode(uint32_t mode) {
  if ((mode & kVirtualTerminal) == 0) {
    sequence_ = Sequence::kNone;
    wrap_due_ = false;
  }
  output_mode_ = mode;
}
