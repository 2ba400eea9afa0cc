// Runs the Windows game in a real console and drives it pause by pause as mazewick-sim drives it
// on the headless host, so that the same comparison serves both.
//
// The game runs as a debuggee. Every call it makes to Sleep stops at a breakpoint: the probe
// counts the pause, writes the frame, delivers the script lines now due into the console's input
// and returns from Sleep at once, so a tick costs no real time. Every call to ReadConsoleA stops
// too: when no key press with a character is queued, the probe writes the wait, delivers script
// lines until one is queued, and when the script has run out makes that read fail, so that the
// game takes its quit path as it does at the end of input on the headless host.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console_host.h"
#include "input_script.h"
#include "screen_dump.h"
#include "script_feed.h"
#include "sim_options.h"

namespace {

constexpr int kUsageStatus = 2;
constexpr int kStoppedStatus = 3;
constexpr int kFaultStatus = 4;
// A game that makes no Sleep or ReadConsoleA call for this long is stuck.
constexpr DWORD kHangMilliseconds = 30000;
constexpr uint8_t kBreakpoint = 0xCC;
constexpr DWORD kTrapFlag = 0x100;

constexpr const char* kUsage =
    "usage: probe GAME.exe [--frames FILE] [--waits FILE] [--screen FILE] "
    "[--max-pauses N] [--state FILE] [--console CxR] [--ctrl-c-at N] [SCRIPT]";

// The headless runner's options, read by its own parser, and the probe's own.
struct ProbeOptions {
  std::string game;
  SimOptions sim;
  std::string state;
  uint64_t ctrl_c_at = 0;
  int console_columns = 0;
  int console_rows = 0;
};

int usage_error(const std::string& problem) {
  std::fprintf(stderr, "console_probe: %s; %s\n", problem.c_str(), kUsage);
  return kUsageStatus;
}

// A decimal count from 1 to 9999.
bool parse_small_count(const std::string& text, int& value) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  value = std::stoi(text);
  return value >= 1;
}

// Empty when the arguments are good, else what is wrong with them.
std::string parse_options(int argc, char** argv, ProbeOptions& options) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    return "no game given";
  }
  options.game = args[0];
  std::vector<std::string> sim_args;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg != "--state" && arg != "--console" && arg != "--ctrl-c-at") {
      sim_args.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) {
      return arg + " needs a value";
    }
    const std::string& value = args[++i];
    const size_t x = value.find('x');
    int ctrl_c_at = 0;
    if (arg == "--state") {
      options.state = value;
    } else if (arg == "--console") {
      if (x == std::string::npos ||
          !parse_small_count(value.substr(0, x), options.console_columns) ||
          !parse_small_count(value.substr(x + 1), options.console_rows)) {
        return "--console takes COLUMNSxROWS, not " + value;
      }
    } else if (parse_small_count(value, ctrl_c_at)) {
      options.ctrl_c_at = static_cast<uint64_t>(ctrl_c_at);
    } else {
      return "--ctrl-c-at takes a count from 1 to 9999, not " + value;
    }
  }
  const std::string problem = parse_sim_options(sim_args, options.sim);
  if (problem.empty() && options.sim.trace) {
    return "the probe writes no trace";
  }
  return problem;
}

bool read_text(const std::string& name, std::string& text) {
  FILE* file = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char buffer[4096];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    text.append(buffer, count);
  }
  const bool ok = std::ferror(file) == 0;
  if (file != stdin) {
    std::fclose(file);
  }
  return ok;
}

// One output file; "-" is standard output. Each record is written whole and flushed.
class Output {
 public:
  bool open(const std::string& name) {
    if (name.empty()) {
      return true;
    }
    file_ = name == "-" ? stdout : std::fopen(name.c_str(), "wb");
    return file_ != nullptr;
  }
  ~Output() {
    if (file_ != nullptr && file_ != stdout) {
      std::fclose(file_);
    }
  }
  bool wanted() const { return file_ != nullptr; }
  void write(const std::string& line) {
    if (file_ != nullptr) {
      std::fwrite(line.data(), 1, line.size(), file_);
      std::fputc('\n', file_);
      std::fflush(file_);
    }
  }

 private:
  FILE* file_ = nullptr;
};

HANDLE open_console(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

// The console as the game sees it, read back through the console API.
struct Console {
  HANDLE input;
  HANDLE output;
};

// The screen buffer as a console host holds it, so that it is dumped by the same code as the
// headless host's.
std::string dump_screen(const Console& console, uint64_t pauses) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  GetConsoleScreenBufferInfo(console.output, &info);
  const int width = info.dwSize.X;
  const int height = info.dwSize.Y;
  std::vector<CHAR_INFO> cells(static_cast<size_t>(width) * static_cast<size_t>(height));
  SMALL_RECT region = {0, 0, static_cast<SHORT>(width - 1), static_cast<SHORT>(height - 1)};
  ReadConsoleOutputA(console.output, cells.data(), info.dwSize, COORD{0, 0}, &region);
  ConsoleHost host(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const CHAR_INFO& cell =
          cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      host.fill_characters(static_cast<uint8_t>(cell.Char.AsciiChar), 1, x, y, nullptr);
      host.fill_attributes(cell.Attributes, 1, x, y, nullptr);
    }
  }
  CONSOLE_CURSOR_INFO cursor = {};
  GetConsoleCursorInfo(console.output, &cursor);
  host.set_cursor_info(cursor.dwSize, cursor.bVisible != 0);
  host.set_cursor_position(info.dwCursorPosition.X, info.dwCursorPosition.Y);
  char title[1024] = {};
  GetConsoleTitleA(title, sizeof(title));
  host.set_title(title);
  return screen_dump_json(host, pauses);
}

std::string json_string(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", byte);
      out += escape;
    } else {
      out += *c;
    }
  }
  return out + "\"";
}

// What the game changes in the console and must hand back.
std::string console_state(const Console& console) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  GetConsoleScreenBufferInfo(console.output, &info);
  CONSOLE_CURSOR_INFO cursor = {};
  GetConsoleCursorInfo(console.output, &cursor);
  CONSOLE_FONT_INFOEX font = {};
  font.cbSize = sizeof(font);
  GetCurrentConsoleFontEx(console.output, FALSE, &font);
  DWORD input_mode = 0;
  DWORD output_mode = 0;
  GetConsoleMode(console.input, &input_mode);
  GetConsoleMode(console.output, &output_mode);
  char title[1024] = {};
  GetConsoleTitleA(title, sizeof(title));
  char numbers[512];
  std::snprintf(numbers, sizeof(numbers),
                "{\"window\":[%d,%d,%d,%d],\"buffer\":[%d,%d],\"cursor\":[%lu,%d],"
                "\"attribute\":%u,\"font\":[%d,%d],\"input_mode\":%lu,\"output_mode\":%lu,"
                "\"title\":",
                info.srWindow.Left, info.srWindow.Top, info.srWindow.Right, info.srWindow.Bottom,
                info.dwSize.X, info.dwSize.Y, cursor.dwSize, cursor.bVisible != 0 ? 1 : 0,
                info.wAttributes, font.dwFontSize.X, font.dwFontSize.Y, input_mode, output_mode);
  return numbers + json_string(title) + "}";
}

// Buffer and window of columns x rows. The window first shrinks to what the old and the new
// size share, since the buffer may never be smaller than the window.
bool size_console(const Console& console, int columns, int rows) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  if (GetConsoleScreenBufferInfo(console.output, &info) == 0) {
    return false;
  }
  const int shared_columns = std::min(info.srWindow.Right - info.srWindow.Left + 1, columns);
  const int shared_rows = std::min(info.srWindow.Bottom - info.srWindow.Top + 1, rows);
  const SMALL_RECT shared = {0, 0, static_cast<SHORT>(shared_columns - 1),
                             static_cast<SHORT>(shared_rows - 1)};
  const SMALL_RECT window = {0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
  SetConsoleWindowInfo(console.output, TRUE, &shared);
  return SetConsoleScreenBufferSize(console.output,
                                    COORD{static_cast<SHORT>(columns), static_cast<SHORT>(rows)}) &&
         SetConsoleWindowInfo(console.output, TRUE, &window);
}

bool char_key_queued(const Console& console) {
  DWORD pending = 0;
  if (GetNumberOfConsoleInputEvents(console.input, &pending) == 0 || pending == 0) {
    return false;
  }
  std::vector<INPUT_RECORD> records(pending);
  DWORD copied = 0;
  PeekConsoleInputA(console.input, records.data(), pending, &copied);
  for (DWORD i = 0; i < copied; ++i) {
    const KEY_EVENT_RECORD& event = records[i].Event.KeyEvent;
    if (records[i].EventType == KEY_EVENT && event.bKeyDown != 0 && event.uChar.AsciiChar != 0) {
      return true;
    }
  }
  return false;
}

// The script, delivered by the headless front end's rules into a console host of its own, whose
// queued keys then go to the real console's input as key events.
class ConsoleFeed {
 public:
  ConsoleFeed(std::vector<ScriptLine> lines, const Console& console)
      : feed_(std::move(lines)), console_(console) {}

  void deliver_due(uint64_t pauses) {
    feed_.deliver_due(staging_, pauses);
    hand_over();
  }
  // False when the script ran out before a key with a character was queued.
  bool deliver_for_read() {
    const bool queued = feed_.deliver_for_read(staging_);
    hand_over();
    return queued;
  }

 private:
  void hand_over() {
    std::vector<INPUT_RECORD> records;
    for (const ConsoleKey& key : staging_.input_queue()) {
      INPUT_RECORD record = {};
      record.EventType = KEY_EVENT;
      record.Event.KeyEvent.bKeyDown = key.down ? TRUE : FALSE;
      record.Event.KeyEvent.wRepeatCount = 1;
      // An arrow key stands for every key that gives no character.
      record.Event.KeyEvent.wVirtualKeyCode = key.has_char ? 0 : VK_RIGHT;
      record.Event.KeyEvent.uChar.AsciiChar = key.has_char ? static_cast<CHAR>(key.ch) : 0;
      records.push_back(record);
    }
    DWORD written = 0;
    if (!records.empty()) {
      WriteConsoleInputA(console_.input, records.data(), static_cast<DWORD>(records.size()),
                         &written);
    }
    staging_.reset(1, 1);
  }

  ScriptFeed feed_;
  ConsoleHost staging_{1, 1};
  const Console& console_;
};

// Where, in the game's process, the calls the probe stops at begin.
struct Breakpoint {
  uintptr_t address = 0;
  uint8_t original = 0;
};

bool read_memory(HANDLE process, uintptr_t address, void* into, size_t bytes) {
  SIZE_T done = 0;
  return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), into, bytes, &done) != 0 &&
         done == bytes;
}

bool write_memory(HANDLE process, uintptr_t address, const void* from, size_t bytes) {
  SIZE_T done = 0;
  const bool ok =
      WriteProcessMemory(process, reinterpret_cast<LPVOID>(address), from, bytes, &done) != 0 &&
      done == bytes;
  FlushInstructionCache(process, reinterpret_cast<LPCVOID>(address), bytes);
  return ok;
}

// The address the game's import table holds for a KERNEL32 function: the code it calls.
uintptr_t imported_address(HANDLE process, uintptr_t image, const char* function) {
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS nt;
  if (!read_memory(process, image, &dos, sizeof(dos)) ||
      !read_memory(process, image + static_cast<uintptr_t>(dos.e_lfanew), &nt, sizeof(nt))) {
    return 0;
  }
  const IMAGE_DATA_DIRECTORY& imports =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (uintptr_t entry = image + imports.VirtualAddress;;
       entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    if (!read_memory(process, entry, &descriptor, sizeof(descriptor)) || descriptor.Name == 0) {
      return 0;
    }
    for (uintptr_t index = 0;; ++index) {
      IMAGE_THUNK_DATA name_thunk;
      IMAGE_THUNK_DATA address_thunk;
      const uintptr_t offset = index * sizeof(IMAGE_THUNK_DATA);
      if (!read_memory(process, image + descriptor.OriginalFirstThunk + offset, &name_thunk,
                       sizeof(name_thunk)) ||
          name_thunk.u1.AddressOfData == 0) {
        break;
      }
      if (IMAGE_SNAP_BY_ORDINAL(name_thunk.u1.Ordinal)) {
        continue;
      }
      char name[64] = {};
      read_memory(process, image + name_thunk.u1.AddressOfData + 2, name, sizeof(name) - 1);
      if (std::string(name) == function &&
          read_memory(process, image + descriptor.FirstThunk + offset, &address_thunk,
                      sizeof(address_thunk))) {
        return static_cast<uintptr_t>(address_thunk.u1.Function);
      }
    }
  }
}

class Debuggee {
 public:
  explicit Debuggee(const ProbeOptions& options, const Console& console, ConsoleFeed& feed,
                    Output& frames, Output& waits, Output& screen)
      : options_(options),
        console_(console),
        feed_(feed),
        frames_(frames),
        waits_(waits),
        screen_(screen) {}

  // A game still running is ended, and its end awaited, so that nothing is left behind.
  ~Debuggee() {
    if (process_ == nullptr) {
      return;
    }
    if (!exited_) {
      TerminateProcess(process_, kFaultStatus);
      DEBUG_EVENT event = {};
      while (go_on(DBG_CONTINUE) && WaitForDebugEvent(&event, kHangMilliseconds) != 0) {
        stopped_ = event;
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
          break;
        }
      }
    }
    go_on(DBG_CONTINUE);
    CloseHandle(process_);
  }

  bool start() {
    std::string command_line = "\"" + options_.game + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(options_.game.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                       DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &info) == 0) {
      return false;
    }
    process_ = info.hProcess;
    CloseHandle(info.hThread);
    return true;
  }

  // Runs the game to its end. Its exit status; 3 when --max-pauses stopped it; 4 when it
  // crashed or hung, with a line on standard error.
  int run() {
    for (;;) {
      DEBUG_EVENT event = {};
      if (WaitForDebugEvent(&event, kHangMilliseconds) == 0) {
        return fault("hung: no tick and no key read for 30 s");
      }
      stopped_ = event;
      DWORD answer = DBG_CONTINUE;
      switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
          image_ = reinterpret_cast<uintptr_t>(event.u.CreateProcessInfo.lpBaseOfImage);
          image_end_ = image_ + image_size();
          if (event.u.CreateProcessInfo.hFile != nullptr) {
            CloseHandle(event.u.CreateProcessInfo.hFile);
          }
          break;
        case LOAD_DLL_DEBUG_EVENT:
          if (event.u.LoadDll.hFile != nullptr) {
            CloseHandle(event.u.LoadDll.hFile);
          }
          break;
        case EXCEPTION_DEBUG_EVENT: {
          const int status = on_exception(event, answer);
          if (status >= 0) {
            return status;
          }
          break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
          exited_ = true;
          screen_.write(dump_screen(console_, pauses_));
          return static_cast<int>(event.u.ExitProcess.dwExitCode);
        default:
          break;
      }
      go_on(answer);
    }
  }

 private:
  // Lets the game go on from the event it is stopped at, if any.
  bool go_on(DWORD answer) {
    if (stopped_.dwProcessId == 0) {
      return true;
    }
    const bool ok = ContinueDebugEvent(stopped_.dwProcessId, stopped_.dwThreadId, answer) != 0;
    stopped_ = {};
    return ok;
  }

  uintptr_t image_size() {
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    if (!read_memory(process_, image_, &dos, sizeof(dos)) ||
        !read_memory(process_, image_ + static_cast<uintptr_t>(dos.e_lfanew), &nt, sizeof(nt))) {
      return 0;
    }
    return nt.OptionalHeader.SizeOfImage;
  }

  int fault(const std::string& what) {
    std::fprintf(stderr, "console_probe: the game %s, after pause %llu\n", what.c_str(),
                 static_cast<unsigned long long>(pauses_));
    screen_.write(dump_screen(console_, pauses_));
    return kFaultStatus;
  }

  bool arm(Breakpoint& breakpoint, const char* function) {
    breakpoint.address = imported_address(process_, image_, function);
    return breakpoint.address != 0 &&
           read_memory(process_, breakpoint.address, &breakpoint.original, 1) &&
           write_memory(process_, breakpoint.address, &kBreakpoint, 1);
  }

  // -1 to go on, else the probe's exit status.
  int on_exception(const DEBUG_EVENT& event, DWORD& answer) {
    const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
    const auto address = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !armed_) {
      // The loader's breakpoint: the imports are bound and the game has not yet begun.
      armed_ = true;
      if (!arm(sleep_, "Sleep") || !arm(read_, "ReadConsoleA")) {
        return fault("could not be stopped at Sleep and ReadConsoleA");
      }
      feed_.deliver_due(0);
      return -1;
    }
    if (record.ExceptionCode == EXCEPTION_BREAKPOINT &&
        (address == sleep_.address || address == read_.address)) {
      return on_call(event.dwThreadId, address == sleep_.address ? sleep_ : read_);
    }
    if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && stepping_ != nullptr) {
      // Past the first instruction of a call let through: stop there again next time.
      write_memory(process_, stepping_->address, &kBreakpoint, 1);
      stepping_ = nullptr;
      return -1;
    }
    if (record.ExceptionCode == DBG_CONTROL_C) {
      // The game's own control handlers are to see it.
      answer = DBG_EXCEPTION_NOT_HANDLED;
      return -1;
    }
    if (event.u.Exception.dwFirstChance == 0) {
      char what[64];
      std::snprintf(what, sizeof(what), "crashed with exception 0x%08lx", record.ExceptionCode);
      return fault(what);
    }
    answer = DBG_EXCEPTION_NOT_HANDLED;
    return -1;
  }

  // A stop at Sleep or ReadConsoleA. -1 to go on, else the probe's exit status.
  int on_call(DWORD thread_id, Breakpoint& breakpoint) {
    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, thread_id);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    GetThreadContext(thread, &context);
    context.Rip = breakpoint.address;  // back onto the call's first instruction
    uintptr_t return_address = 0;
    read_memory(process_, context.Rsp, &return_address, sizeof(return_address));
    int status = -1;
    if (return_address < image_ || return_address >= image_end_) {
      // A call from the system, not from the game: let it through.
      let_through(breakpoint, context);
    } else if (&breakpoint == &sleep_) {
      status = on_sleep();
      return_at_once(context, 0);
    } else if (char_key_queued(console_) || (!input_ended_ && on_read_without_key())) {
      let_through(breakpoint, context);
    } else {
      // The input has ended: the read fails, with nothing read.
      const uintptr_t read_count = context.R9;
      const DWORD none = 0;
      if (read_count != 0) {
        write_memory(process_, read_count, &none, sizeof(none));
      }
      return_at_once(context, FALSE);
    }
    SetThreadContext(thread, &context);
    CloseHandle(thread);
    return status;
  }

  int on_sleep() {
    ++pauses_;
    if (frames_.wanted()) {
      frames_.write(dump_screen(console_, pauses_));
    }
    if (pauses_ == options_.sim.max_pauses) {
      screen_.write(dump_screen(console_, pauses_));
      return kStoppedStatus;
    }
    feed_.deliver_due(pauses_);
    if (pauses_ == options_.ctrl_c_at) {
      GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    }
    return -1;
  }

  // A blocking read with no key to take: the wait is written and the script goes on.
  bool on_read_without_key() {
    if (waits_.wanted()) {
      waits_.write(dump_screen(console_, pauses_));
    }
    input_ended_ = !feed_.deliver_for_read();
    return !input_ended_;
  }

  // The call runs for real: its first instruction is put back and stepped over.
  void let_through(Breakpoint& breakpoint, CONTEXT& context) {
    write_memory(process_, breakpoint.address, &breakpoint.original, 1);
    context.EFlags |= kTrapFlag;
    stepping_ = &breakpoint;
  }

  // Returns from the call to its caller with a result, without running it.
  void return_at_once(CONTEXT& context, DWORD64 result) {
    uintptr_t return_address = 0;
    read_memory(process_, context.Rsp, &return_address, sizeof(return_address));
    context.Rip = return_address;
    context.Rsp += sizeof(uintptr_t);
    context.Rax = result;
  }

  const ProbeOptions& options_;
  const Console& console_;
  ConsoleFeed& feed_;
  Output& frames_;
  Output& waits_;
  Output& screen_;
  HANDLE process_ = nullptr;
  // The event the game is stopped at, while the probe has not let it go on.
  DEBUG_EVENT stopped_ = {};
  uintptr_t image_ = 0;
  uintptr_t image_end_ = 0;
  bool armed_ = false;
  bool exited_ = false;
  bool input_ended_ = false;
  Breakpoint sleep_;
  Breakpoint read_;
  Breakpoint* stepping_ = nullptr;
  uint64_t pauses_ = 0;
};

// The probe itself sits out the Ctrl+C it sends to the game.
BOOL WINAPI ignore_control_event(DWORD /*event*/) {
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  ProbeOptions options;
  const std::string problem = parse_options(argc, argv, options);
  if (!problem.empty()) {
    return usage_error(problem);
  }
  std::string script_text;
  const std::string script_name = options.sim.script.value_or("");
  if (!script_name.empty() && !read_text(script_name, script_text)) {
    return usage_error("cannot read the script " + script_name);
  }
  const InputScript script = parse_input_script(script_text);
  if (script.error_line != 0) {
    std::fprintf(stderr, "console_probe: %s:%d: %s\n", script_name.c_str(), script.error_line,
                 script.error.c_str());
    return kUsageStatus;
  }
  Output frames;
  Output waits;
  Output screen;
  Output state;
  for (auto [output, name] : {std::pair{&frames, options.sim.frames.value_or("")},
                              {&waits, options.sim.waits.value_or("")},
                              {&screen, options.sim.screen.value_or("")},
                              {&state, options.state}}) {
    if (!output->open(name)) {
      return usage_error("cannot write " + name);
    }
  }

  const Console console = {open_console("CONIN$"), open_console("CONOUT$")};
  if (console.input == INVALID_HANDLE_VALUE || console.output == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "console_probe: no console to run the game in\n");
    return kFaultStatus;
  }
  // The game writes code-page-437 bytes; they are read back as such.
  SetConsoleOutputCP(437);
  if (options.console_columns != 0 &&
      !size_console(console, options.console_columns, options.console_rows)) {
    std::fprintf(stderr, "console_probe: the console cannot be sized to %dx%d\n",
                 options.console_columns, options.console_rows);
    return kFaultStatus;
  }
  FlushConsoleInputBuffer(console.input);
  SetConsoleCtrlHandler(ignore_control_event, TRUE);
  const std::string before = console_state(console);

  ConsoleFeed feed(script.lines, console);
  int status = kFaultStatus;
  {
    Debuggee game(options, console, feed, frames, waits, screen);
    if (!game.start()) {
      std::fprintf(stderr, "console_probe: cannot start %s (error %lu)\n", options.game.c_str(),
                   GetLastError());
      return kFaultStatus;
    }
    status = game.run();
  }
  state.write("{\"before\":" + before + ",\"after\":" + console_state(console) + "}");
  return status;
}
