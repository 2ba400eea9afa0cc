#include "tools/windows_probe/debuggee.h"

#include <cstdio>

namespace {

// A game that makes no Sleep or ReadConsoleInputA call for this long is stuck.
constexpr DWORD kHangMilliseconds = 30000;
constexpr uint8_t kBreakpoint = 0xCC;
constexpr DWORD kTrapFlag = 0x100;

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

}  // namespace

Debuggee::~Debuggee() {
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

bool Debuggee::start() {
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

int Debuggee::run() {
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
        outputs_.screen.write(dump_screen(console_, pauses_));
        return static_cast<int>(event.u.ExitProcess.dwExitCode);
      default:
        break;
    }
    go_on(answer);
  }
}

bool Debuggee::go_on(DWORD answer) {
  if (stopped_.dwProcessId == 0) {
    return true;
  }
  const bool ok = ContinueDebugEvent(stopped_.dwProcessId, stopped_.dwThreadId, answer) != 0;
  stopped_ = {};
  return ok;
}

uintptr_t Debuggee::image_size() {
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS nt;
  if (!read_memory(process_, image_, &dos, sizeof(dos)) ||
      !read_memory(process_, image_ + static_cast<uintptr_t>(dos.e_lfanew), &nt, sizeof(nt))) {
    return 0;
  }
  return nt.OptionalHeader.SizeOfImage;
}

int Debuggee::fault(const std::string& what) {
  std::fprintf(stderr, "console_probe: the game %s, after pause %llu\n", what.c_str(),
               static_cast<unsigned long long>(pauses_));
  outputs_.screen.write(dump_screen(console_, pauses_));
  return kFaultStatus;
}

bool Debuggee::arm(Breakpoint& breakpoint, const char* function) {
  breakpoint.address = imported_address(process_, image_, function);
  return breakpoint.address != 0 &&
         read_memory(process_, breakpoint.address, &breakpoint.original, 1) &&
         write_memory(process_, breakpoint.address, &kBreakpoint, 1);
}

int Debuggee::on_exception(const DEBUG_EVENT& event, DWORD& answer) {
  const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
  const auto address = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !armed_) {
    // The loader's breakpoint: the imports are bound and the game has not yet begun.
    armed_ = true;
    if (!arm(sleep_, "Sleep") || !arm(read_, "ReadConsoleInputA")) {
      return fault("could not be stopped at Sleep and ReadConsoleInputA");
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

int Debuggee::on_call(DWORD thread_id, Breakpoint& breakpoint) {
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
  } else if (input_queued(console_) || (!input_ended_ && on_read_without_key())) {
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

int Debuggee::on_sleep() {
  ++pauses_;
  if (outputs_.frames.wanted()) {
    outputs_.frames.write(dump_screen(console_, pauses_));
  }
  if (pauses_ == options_.sim.max_pauses) {
    outputs_.screen.write(dump_screen(console_, pauses_));
    return kStoppedStatus;
  }
  feed_.deliver_due(pauses_);
  if (pauses_ == options_.ctrl_c_at) {
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
  }
  return -1;
}

bool Debuggee::on_read_without_key() {
  if (outputs_.waits.wanted()) {
    outputs_.waits.write(dump_screen(console_, pauses_));
  }
  input_ended_ = !feed_.deliver_for_read();
  return !input_ended_;
}

void Debuggee::let_through(Breakpoint& breakpoint, CONTEXT& context) {
  write_memory(process_, breakpoint.address, &breakpoint.original, 1);
  context.EFlags |= kTrapFlag;
  stepping_ = &breakpoint;
}

void Debuggee::return_at_once(CONTEXT& context, DWORD64 result) {
  uintptr_t return_address = 0;
  read_memory(process_, context.Rsp, &return_address, sizeof(return_address));
  context.Rip = return_address;
  context.Rsp += sizeof(uintptr_t);
  context.Rax = result;
}
