#include "platform/host/console_host.h"

#include "platform/host/console_host_shared.h"

ConsoleHost::ConsoleHost(int width, int height) {
  reset(width, height);
}

void ConsoleHost::reset(int width, int height) {
  width_ = width;
  height_ = height;
  cells_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), kBlankCell);
  attribute_ = kDefaultAttribute;
  cursor_x_ = 0;
  cursor_y_ = 0;
  cursor_visible_ = true;
  cursor_size_ = 25;
  window_left_ = 0;
  window_top_ = 0;
  window_right_ = width - 1;
  window_bottom_ = height - 1;
  title_.clear();
  font_width_ = 8;
  font_height_ = 16;
  font_family_ = 0x30;
  input_mode_ = 0x7;
  output_mode_ = 0x3;
  input_.clear();
  line_.clear();
  input_ended_ = false;
  control_handlers_.clear();
  ctrl_c_ignored_ = false;
  hidden_.clear();
  available_ = true;
  frontend_ = nullptr;
  bump();
}

void ConsoleHost::set_available(bool available) {
  available_ = available;
}
bool ConsoleHost::available() const {
  return available_;
}

void ConsoleHost::set_frontend(ConsoleFrontend* frontend) {
  frontend_ = frontend;
}
ConsoleFrontend* ConsoleHost::frontend() const {
  return frontend_;
}

void ConsoleHost::hide_function(const std::string& name) {
  hidden_.insert(name);
}
bool ConsoleHost::is_hidden(const std::string& name) const {
  return hidden_.count(name) != 0;
}

int ConsoleHost::width() const {
  return width_;
}
int ConsoleHost::height() const {
  return height_;
}
const ConsoleCell& ConsoleHost::cell(int x, int y) const {
  return cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}
uint16_t ConsoleHost::attribute() const {
  return attribute_;
}
int ConsoleHost::cursor_x() const {
  return cursor_x_;
}
int ConsoleHost::cursor_y() const {
  return cursor_y_;
}
bool ConsoleHost::cursor_visible() const {
  return cursor_visible_;
}
int ConsoleHost::cursor_size() const {
  return cursor_size_;
}
int ConsoleHost::window_left() const {
  return window_left_;
}
int ConsoleHost::window_top() const {
  return window_top_;
}
int ConsoleHost::window_right() const {
  return window_right_;
}
int ConsoleHost::window_bottom() const {
  return window_bottom_;
}
const std::string& ConsoleHost::title() const {
  return title_;
}
int ConsoleHost::font_width() const {
  return font_width_;
}
int ConsoleHost::font_height() const {
  return font_height_;
}
unsigned ConsoleHost::font_family() const {
  return font_family_;
}
void ConsoleHost::set_font(int width, int height, unsigned family) {
  font_width_ = width;
  font_height_ = height;
  font_family_ = family;
  bump();
}
uint32_t ConsoleHost::input_mode() const {
  return input_mode_;
}
uint32_t ConsoleHost::output_mode() const {
  return output_mode_;
}

uint64_t ConsoleHost::generation() const {
  return generation_;
}

void ConsoleHost::poll_input() {
  if (frontend_ != nullptr) {
    frontend_->poll_input(*this);
  }
}

void ConsoleHost::sleep(uint32_t milliseconds) {
  if (frontend_ != nullptr) {
    frontend_->sleep(*this, milliseconds);
  }
}

void ConsoleHost::bump() {
  ++generation_;
}

ConsoleHost& console_host() {
  static ConsoleHost host;
  return host;
}
