#include "console_fixture.h"
#include "headless_frontend.h"

namespace {

constexpr const char* kLookedUpNames[] = {
    "FillConsoleOutputAttribute",
    "FillConsoleOutputCharacterA",
    "GetConsoleScreenBufferInfo",
    "GetCurrentConsoleFontEx",
    "GetNumberOfConsoleInputEvents",
    "SetConsoleCursorPosition",
    "PeekConsoleInputA",
    "SetConsoleMode",
    "SetConsoleTitleA",
    "SetCurrentConsoleFontEx",
};

using GetModuleHandleTest = ConsoleTest;

TEST_F(GetModuleHandleTest, FindsKernel32InAnyCaseWithOrWithoutItsExtension) {
  const HMODULE module = GetModuleHandleA("KERNEL32");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleA("kernel32"), module);
  EXPECT_EQ(GetModuleHandleA("Kernel32.DLL"), module);
  EXPECT_EQ(GetModuleHandleA("kernel32.dll"), module);
}

TEST_F(GetModuleHandleTest, FindsNoOtherModule) {
  EXPECT_EQ(GetModuleHandleA("USER32"), nullptr);
  EXPECT_EQ(GetModuleHandleA("KERNEL32.EXE"), nullptr);
  EXPECT_EQ(GetModuleHandleA("KERNEL3"), nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
}

using GetProcAddressTest = ConsoleTest;

TEST_F(GetProcAddressTest, FindsEveryFunctionTheConsoleLayerLooksUp) {
  const HMODULE module = GetModuleHandleA("KERNEL32");
  for (const char* name : kLookedUpNames) {
    EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  }
}

TEST_F(GetProcAddressTest, TheFoundFunctionIsTheRealOne) {
  using SetTitle = BOOL(WINAPI*)(LPCSTR);
  const FARPROC found = GetProcAddress(GetModuleHandleA("KERNEL32"), "SetConsoleTitleA");
  ASSERT_NE(found, nullptr);
  const SetTitle set_title = reinterpret_cast<SetTitle>(reinterpret_cast<void (*)()>(found));
  ASSERT_TRUE(set_title("found"));
  EXPECT_EQ(host().title(), "found");
}

TEST_F(GetProcAddressTest, HiddenNamesAndUnknownNamesAreNotFound) {
  host().hide_function("SetCurrentConsoleFontEx");
  const HMODULE module = GetModuleHandleA("KERNEL32");
  EXPECT_EQ(GetProcAddress(module, "SetCurrentConsoleFontEx"), nullptr);
  EXPECT_NE(GetProcAddress(module, "GetCurrentConsoleFontEx"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "setconsoletitlea"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "SetConsoleTitleA"), nullptr);
}

TEST_F(GetProcAddressTest, AResetHostHidesNothing) {
  host().hide_function("SetConsoleMode");
  host().reset();
  EXPECT_NE(GetProcAddress(GetModuleHandleA("KERNEL32"), "SetConsoleMode"), nullptr);
}

using UnavailableHostTest = ConsoleTest;

TEST_F(UnavailableHostTest, NoModuleAndNoHandles) {
  host().set_available(false);
  EXPECT_EQ(GetModuleHandleA("KERNEL32"), nullptr);
  EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetStdHandle(STD_INPUT_HANDLE), INVALID_HANDLE_VALUE);
}

TEST_F(UnavailableHostTest, EveryConsoleFunctionFailsOnTheInvalidHandle) {
  host().set_available(false);
  const HANDLE invalid = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD count = 0;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  CONSOLE_CURSOR_INFO cursor = {50, TRUE};
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font);
  INPUT_RECORD record{};
  char ch = 0;
  EXPECT_FALSE(WriteConsoleA(invalid, "a", 1, &count, nullptr));
  EXPECT_FALSE(ReadConsoleA(invalid, &ch, 1, &count, nullptr));
  EXPECT_FALSE(GetConsoleMode(invalid, &count));
  EXPECT_FALSE(SetConsoleMode(invalid, 0));
  EXPECT_FALSE(SetConsoleTextAttribute(invalid, 0x0F));
  EXPECT_FALSE(GetConsoleScreenBufferInfo(invalid, &info));
  EXPECT_FALSE(SetConsoleScreenBufferSize(invalid, {10, 10}));
  EXPECT_FALSE(SetConsoleActiveScreenBuffer(invalid));
  EXPECT_FALSE(GetConsoleCursorInfo(invalid, &cursor));
  EXPECT_FALSE(SetConsoleCursorInfo(invalid, &cursor));
  EXPECT_FALSE(SetConsoleCursorPosition(invalid, {1, 1}));
  EXPECT_FALSE(GetCurrentConsoleFontEx(invalid, FALSE, &font));
  EXPECT_FALSE(GetNumberOfConsoleInputEvents(invalid, &count));
  EXPECT_FALSE(PeekConsoleInputA(invalid, &record, 1, &count));
  EXPECT_FALSE(FillConsoleOutputCharacterA(invalid, 'x', 1, {0, 0}, &count));
  EXPECT_FALSE(SetConsoleTitleA("title"));
  EXPECT_EQ(host().cell(0, 0).ch, ' ');
  EXPECT_EQ(host().title(), "");
}

TEST_F(UnavailableHostTest, HandlesTakenBeforeFailToo) {
  const HANDLE output = out();
  host().set_available(false);
  EXPECT_FALSE(SetConsoleTextAttribute(output, 0x0F));
  EXPECT_EQ(host().attribute(), 0x07);
}

using HeapTest = ConsoleTest;

TEST_F(HeapTest, AllocatesZeroedUsableMemoryAndFreesIt) {
  const HANDLE heap = GetProcessHeap();
  auto* records = static_cast<INPUT_RECORD*>(HeapAlloc(heap, 0, 3 * sizeof(INPUT_RECORD)));
  ASSERT_NE(records, nullptr);
  EXPECT_EQ(records[2].EventType, 0);
  records[2].EventType = KEY_EVENT;
  EXPECT_TRUE(HeapFree(heap, 0, records));
}

TEST_F(HeapTest, OtherHeapsAreRefused) {
  EXPECT_EQ(HeapAlloc(nullptr, 0, 8), nullptr);
  EXPECT_FALSE(HeapFree(nullptr, 0, nullptr));
}

using CriticalSectionTest = ConsoleTest;

TEST_F(CriticalSectionTest, CountsEntriesAndLeaves) {
  CRITICAL_SECTION section{};
  section.recursion = 5;
  InitializeCriticalSection(&section);
  EXPECT_EQ(section.recursion, 0);
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_EQ(section.recursion, 2);
  LeaveCriticalSection(&section);
  LeaveCriticalSection(&section);
  EXPECT_EQ(section.recursion, 0);
}

using SleepTest = ConsoleTest;

TEST_F(SleepTest, GoesToTheFrontEnd) {
  HeadlessFrontend frontend;
  frontend.attach(host());
  Sleep(100);
  Sleep(100);
  EXPECT_EQ(frontend.pauses(), 2u);
}

}  // namespace
