// Where the Windows process starts. No run-time library is linked, so this stands in for its
// start-up code: it splits the command line, runs the game and ends the process, saying why on
// standard error when the game had no console to play in.
#include <cstdint>

#include "console/console.h"
#include "game/game_main.h"
#include "runtime/cmdline.h"

namespace {

constexpr unsigned long kStandardError = static_cast<unsigned long>(-12);
constexpr int kNoConsoleStatus = 1;
constexpr char kNoConsole[] =
    "mazewick: no console to play in: start it in a console window, with neither input nor "
    "output redirected\r\n";

}  // namespace

extern "C" {
__declspec(dllimport) char* __stdcall GetCommandLineA();
[[noreturn]] __declspec(dllimport) void __stdcall ExitProcess(unsigned exit_code);
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* bytes, unsigned long count,
                                              unsigned long* written, void* overlapped);

// Windows only promises a 4-byte aligned stack here, so the frame is aligned on entry.
[[noreturn]] __attribute__((force_align_arg_pointer)) void process_entry() {
  const char* command_line = GetCommandLineA();
  uint32_t arg_count = 0;
  const size_t block_size = cmdline_measure(command_line, arg_count);
  // The block lives until the process ends. Without it the game still runs, with no arguments.
  auto** block = static_cast<char**>(mem_alloc(block_size));
  if (block == nullptr) {
    arg_count = 0;
  } else {
    cmdline_split(command_line, arg_count, block);
  }
  const int status = game_main(static_cast<int>(arg_count), block);
  if (status == kNoConsoleStatus) {
    unsigned long written = 0;
    WriteFile(GetStdHandle(kStandardError), kNoConsole, sizeof(kNoConsole) - 1, &written, nullptr);
  }
  ExitProcess(static_cast<unsigned>(status));
}
}
