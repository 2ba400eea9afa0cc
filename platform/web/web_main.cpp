// The module's entry points, called by the page's script: load a script or recording, run the
// game once in a mode, and hand out the recording and the palette.
#include <cstdint>
#include <string>

#include "console/palette.h"
#include "game/game_main.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"
#include "platform/web/web_frontend.h"

#define PAGE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// Where the page puts the text of a script before loading it.
std::string script_text;
InputScript script;
WebFrontend frontend;

// Where asyncify keeps the game's stack while the browser runs: its bounds, then the stack.
struct AsyncifyData {
  uint32_t start;
  uint32_t end;
  uint8_t stack[64 * 1024];
};
AsyncifyData asyncify_data;

}  // namespace

PAGE_EXPORT(asyncify_data) AsyncifyData* asyncify_data_address() {
  asyncify_data.start = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(asyncify_data.stack));
  asyncify_data.end = asyncify_data.start + sizeof asyncify_data.stack;
  return &asyncify_data;
}

PAGE_EXPORT(palette) const uint8_t* palette() {
  return &kPaletteRgb[0][0];
}

PAGE_EXPORT(script_buffer) char* script_buffer(size_t length) {
  script_text.assign(length, '\0');
  return script_text.data();
}

// The script now in the buffer: 0 when it reads, else the line that does not; error_text says
// what is wrong with it.
PAGE_EXPORT(load_script) int load_script() {
  script = parse_input_script(script_text);
  return script.error_line;
}

PAGE_EXPORT(error_text) const char* error_text() {
  return script.error.c_str();
}

// Runs the game once, from a fresh console of the size mazewick-sim starts with, and gives its
// exit status. mode is a WebMode; the loaded script feeds a replay or a probe.
PAGE_EXPORT(run) int run(int mode, int frames, int waits, uint32_t max_pauses) {
  reset_program_state();
  ConsoleHost& host = console_host();
  host.reset();
  frontend = WebFrontend();
  frontend.start(host, static_cast<WebMode>(mode), script.lines,
                 {frames != 0, waits != 0, max_pauses});
  char program_name[] = "mazewick";
  char* game_argv[] = {program_name, nullptr};
  const int status = game_main(1, game_argv);
  frontend.finish(host);
  host.set_frontend(nullptr);
  return status;
}

PAGE_EXPORT(recording) const char* recording() {
  return frontend.recording().c_str();
}
