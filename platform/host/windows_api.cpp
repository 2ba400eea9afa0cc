// The process functions of platform/host/include/windows.h: the kernel32 module and what it
// exports, the heap, critical sections and Sleep, carried out on the console host.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host/console_host.h"

namespace {

// Distinct addresses stand for the handles of this process.
char kernel32_module_object;
char process_heap_object;

bool equal_ignoring_case(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    const char lower_a = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (lower_a != b[i]) {
      return false;
    }
  }
  return true;
}

template <typename Function>
FARPROC as_farproc(Function* function) {
  // Through void (*)() so that the compiler accepts the change of function type.
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

struct ExportedFunction {
  const char* name;
  FARPROC address;
};

const ExportedFunction* find_export(const char* name) {
  static const ExportedFunction exports[] = {
      {"GetStdHandle", as_farproc(&GetStdHandle)},
      {"GetModuleHandleA", as_farproc(&GetModuleHandleA)},
      {"GetProcAddress", as_farproc(&GetProcAddress)},
      {"GetProcessHeap", as_farproc(&GetProcessHeap)},
      {"HeapAlloc", as_farproc(&HeapAlloc)},
      {"HeapFree", as_farproc(&HeapFree)},
      {"InitializeCriticalSection", as_farproc(&InitializeCriticalSection)},
      {"EnterCriticalSection", as_farproc(&EnterCriticalSection)},
      {"LeaveCriticalSection", as_farproc(&LeaveCriticalSection)},
      {"Sleep", as_farproc(&Sleep)},
      {"GetConsoleMode", as_farproc(&GetConsoleMode)},
      {"ReadConsoleA", as_farproc(&ReadConsoleA)},
      {"ReadConsoleInputA", as_farproc(&ReadConsoleInputA)},
      {"GetConsoleOutputCP", as_farproc(&GetConsoleOutputCP)},
      {"SetConsoleOutputCP", as_farproc(&SetConsoleOutputCP)},
      {"WriteConsoleA", as_farproc(&WriteConsoleA)},
      {"SetConsoleTextAttribute", as_farproc(&SetConsoleTextAttribute)},
      {"ScrollConsoleScreenBufferA", as_farproc(&ScrollConsoleScreenBufferA)},
      {"SetConsoleWindowInfo", as_farproc(&SetConsoleWindowInfo)},
      {"SetConsoleScreenBufferSize", as_farproc(&SetConsoleScreenBufferSize)},
      {"SetConsoleActiveScreenBuffer", as_farproc(&SetConsoleActiveScreenBuffer)},
      {"GetConsoleCursorInfo", as_farproc(&GetConsoleCursorInfo)},
      {"SetConsoleCursorInfo", as_farproc(&SetConsoleCursorInfo)},
      {"SetConsoleCtrlHandler", as_farproc(&SetConsoleCtrlHandler)},
      {"FillConsoleOutputAttribute", as_farproc(&FillConsoleOutputAttribute)},
      {"FillConsoleOutputCharacterA", as_farproc(&FillConsoleOutputCharacterA)},
      {"GetConsoleScreenBufferInfo", as_farproc(&GetConsoleScreenBufferInfo)},
      {"GetCurrentConsoleFontEx", as_farproc(&GetCurrentConsoleFontEx)},
      {"GetNumberOfConsoleInputEvents", as_farproc(&GetNumberOfConsoleInputEvents)},
      {"SetConsoleCursorPosition", as_farproc(&SetConsoleCursorPosition)},
      {"PeekConsoleInputA", as_farproc(&PeekConsoleInputA)},
      {"SetConsoleMode", as_farproc(&SetConsoleMode)},
      {"SetConsoleTitleA", as_farproc(&SetConsoleTitleA)},
      {"SetCurrentConsoleFontEx", as_farproc(&SetCurrentConsoleFontEx)},
  };
  for (const ExportedFunction& entry : exports) {
    if (std::strcmp(entry.name, name) == 0) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name) {
  if (module_name == nullptr || !console_host().available()) {
    return nullptr;
  }
  const std::string name = module_name;
  if (equal_ignoring_case(name, "kernel32") || equal_ignoring_case(name, "kernel32.dll")) {
    return reinterpret_cast<HMODULE>(&kernel32_module_object);
  }
  return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR proc_name) {
  if (module != reinterpret_cast<HMODULE>(&kernel32_module_object) || proc_name == nullptr ||
      console_host().is_hidden(proc_name)) {
    return nullptr;
  }
  const ExportedFunction* entry = find_export(proc_name);
  return entry != nullptr ? entry->address : nullptr;
}

HANDLE WINAPI GetProcessHeap() {
  return &process_heap_object;
}

// Blocks come zeroed, which serves every allocation flag; a request for no bytes still gives a
// block of its own, as the heap does.
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD /*flags*/, SIZE_T bytes) {
  if (heap != GetProcessHeap()) {
    return nullptr;
  }
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD /*flags*/, LPVOID memory) {
  if (heap != GetProcessHeap()) {
    return FALSE;
  }
  std::free(memory);
  return TRUE;
}

// One thread: a section only counts how often it is held.
void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section) {
  section->recursion = 0;
}
void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section) {
  ++section->recursion;
}
void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section) {
  --section->recursion;
}

void WINAPI Sleep(DWORD milliseconds) {
  console_host().sleep(milliseconds);
}
