#include "platform/host/console_host.h"

#include "platform/host/console_host_shared.h"

namespace {

// The classic console starts a program with Insert, Quick Edit, auto-position and the extended
// flags on besides processed, line and echo input, and mouse input.
constexpr uint32_t kClassicInputMode = 0x1F7;
constexpr uint32_t kClassicOutputMode = 0x3;   // processed, wrapping at the end of a row
constexpr uint32_t kTerminalOutputMode = 0x7;  // and virtual-terminal processing

constexpr ConsoleProfile kProfiles[] = {
    {"model", 0x7, kClassicOutputMode, kCodePageUs, false},
    {"conhost", kClassicInputMode, kClassicOutputMode, kCodePageUs, true},
    // Windows Terminal and every other pseudo-console host.
    {"terminal", kClassicInputMode, kTerminalOutputMode, kCodePageUs, true},
    {"cp850", kClassicInputMode, kClassicOutputMode, kCodePageWesternEurope, true},
    {"cp65001", kClassicInputMode, kClassicOutputMode, kCodePageUtf8, true},
};

}  // namespace

const ConsoleProfile& model_console() {
  return kProfiles[0];
}

std::span<const ConsoleProfile> console_profiles() {
  return kProfiles;
}

const ConsoleProfile* find_console_profile(const std::string& name) {
  for (const ConsoleProfile& profile : kProfiles) {
    if (name == profile.name) {
      return &profile;
    }
  }
  return nullptr;
}

std::string console_profile_names() {
  std::string names;
  for (const ConsoleProfile& profile : kProfiles) {
    names += (names.empty() ? "" : ", ") + std::string(profile.name);
  }
  return names;
}

ConsoleHost::ConsoleHost(int width, int height, const ConsoleProfile& profile) {
  reset(width, height, profile);
}

void ConsoleHost::reset(int width, int height, const ConsoleProfile& profile) {
  profile_ = &profile;
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
  // A profile's mode without the extended flags leaves these as a fresh console has them.
  insert_mode_ = quick_edit_ = auto_position_ = false;
  set_input_mode(profile.input_mode);
  output_mode_ = profile.output_mode;
  set_code_page(profile.code_page);
  sequence_ = Sequence::kNone;
  wrap_due_ = false;
  shifted_ = false;
  line_drawing_[0] = line_drawing_[1] = false;
  saved_cursor_x_ = saved_cursor_y_ = 0;
  input_.clear();
  line_.clear();
  input_ended_ = false;
  control_handlers_.clear();
  ctrl_c_ignored_ = false;
  hidden_.clear();
  available_ = true;
  input_redirected_ = output_redirected_ = false;
  frontend_ = nullptr;
  bump();
}

void ConsoleHost::set_available(bool available) {
  available_ = available;
}
bool ConsoleHost::available() const {
  return available_;
}

void ConsoleHost::redirect(bool input, bool output) {
  input_redirected_ = input;
  output_redirected_ = output;
}
bool ConsoleHost::input_redirected() const {
  return input_redirected_;
}
bool ConsoleHost::output_redirected() const {
  return output_redirected_;
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
void ConsoleHost::set_cell(int x, int y, const ConsoleCell& cell) {
  cell_at(x, y) = cell;
  bump();
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
uint32_t ConsoleHost::output_mode() const {
  return output_mode_;
}
unsigned ConsoleHost::code_page() const {
  return code_page_;
}
bool ConsoleHost::set_code_page(unsigned code_page) {
  if (!known_code_page(code_page)) {
    return false;
  }
  code_page_ = code_page;
  decoder_ = ByteDecoder(code_page);
  return true;
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
