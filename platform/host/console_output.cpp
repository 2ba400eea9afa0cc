// The screen buffer's side of the console: what the program writes, and the buffer, window,
// cursor and title it sets.
#include <algorithm>

#include "platform/host/console_host.h"
#include "platform/host/console_host_shared.h"

namespace {

constexpr uint8_t kBell = 0x07;
constexpr uint8_t kTab = 0x09;
constexpr uint8_t kLineFeed = 0x0A;
constexpr int kTabWidth = 8;
constexpr uint32_t kProcessedOutput = 0x1;
constexpr uint32_t kWrapAtEndOfRow = 0x2;

bool inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

}  // namespace

ConsoleCell& ConsoleHost::cell_at(int x, int y) {
  return cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void ConsoleHost::newline() {
  cursor_x_ = 0;
  if (cursor_y_ + 1 < height_) {
    ++cursor_y_;
    return;
  }
  // At the bottom the buffer moves up one row and the new row is blank in the current colours.
  std::copy(cells_.begin() + width_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - width_, cells_.end(), ConsoleCell{' ', attribute_});
}

// Processed output carries out the control bytes; without it they are drawn as glyphs.
bool ConsoleHost::process_control(uint8_t byte) {
  switch (byte) {
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

void ConsoleHost::put_byte(uint8_t byte) {
  if ((output_mode_ & kProcessedOutput) != 0 && process_control(byte)) {
    return;
  }
  cell_at(cursor_x_, cursor_y_) = {byte, attribute_};
  // Wrapping moves on to the next row as soon as the last column is written; without it the
  // cursor stays there and the next byte takes its place.
  if (cursor_x_ + 1 < width_) {
    ++cursor_x_;
  } else if ((output_mode_ & kWrapAtEndOfRow) != 0) {
    newline();
  }
}

bool ConsoleHost::write_console(const char* bytes, uint32_t count, uint32_t* written) {
  for (uint32_t i = 0; i < count; ++i) {
    put_byte(static_cast<uint8_t>(bytes[i]));
  }
  if (written != nullptr) {
    *written = count;
  }
  bump();
  return true;
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
  bump();
  return true;
}

bool ConsoleHost::scroll(int left, int top, int right, int bottom, bool has_clip, int clip_left,
                         int clip_top, int clip_right, int clip_bottom, int dest_x, int dest_y,
                         uint8_t fill_char, uint16_t fill_attr) {
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
        cell_at(x, y) = {fill_char, fill_attr};
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
  return fill(length, x, y, written, [ch](ConsoleCell& cell) { cell.ch = ch; });
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
  output_mode_ = mode;
}
