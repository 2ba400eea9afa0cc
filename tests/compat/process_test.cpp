#include "console_fixture.h"

namespace {

using ProcessTest = ConsoleTest;

TEST_F(ProcessTest, Kernel32AloneIsFoundInAnyCaseWithOrWithoutItsExtension) {
  const HMODULE module = GetModuleHandleA("KERNEL32");
  ASSERT_NE(module, nullptr);
  for (const char* name : {"kernel32", "Kernel32.DLL", "kernel32.dll"}) {
    EXPECT_EQ(GetModuleHandleA(name), module) << name;
  }
  for (const char* name : {"USER32", "KERNEL32.EXE", "KERNEL3"}) {
    EXPECT_EQ(GetModuleHandleA(name), nullptr) << name;
  }
  EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
}

TEST_F(ProcessTest, EveryLookedUpFunctionIsFoundUnlessHidden) {
  const HMODULE module = GetModuleHandleA("KERNEL32");
  for (const char* name :
       {"FillConsoleOutputAttribute", "FillConsoleOutputCharacterA", "GetConsoleScreenBufferInfo",
        "GetCurrentConsoleFontEx", "GetNumberOfConsoleInputEvents", "SetConsoleCursorPosition",
        "PeekConsoleInputA", "SetConsoleMode", "SetConsoleTitleA", "SetCurrentConsoleFontEx"}) {
    EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  }
  host().hide_function("SetCurrentConsoleFontEx");
  EXPECT_EQ(GetProcAddress(module, "SetCurrentConsoleFontEx"), nullptr);
  EXPECT_NE(GetProcAddress(module, "GetCurrentConsoleFontEx"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "setconsoletitlea"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "SetConsoleTitleA"), nullptr);
  // A reset host hides nothing.
  host().reset();
  EXPECT_NE(GetProcAddress(module, "SetCurrentConsoleFontEx"), nullptr);
}

TEST_F(ProcessTest, WithoutAConsoleThereIsNoModuleAndEveryConsoleFunctionFails) {
  const HANDLE taken_before = out();
  host().set_available(false);
  EXPECT_EQ(GetModuleHandleA("KERNEL32"), nullptr);
  EXPECT_EQ(GetStdHandle(STD_INPUT_HANDLE), INVALID_HANDLE_VALUE);
  const HANDLE invalid = GetStdHandle(STD_OUTPUT_HANDLE);
  EXPECT_EQ(invalid, INVALID_HANDLE_VALUE);
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
  EXPECT_FALSE(SetConsoleTextAttribute(taken_before, 0x0F));
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
  EXPECT_EQ(host().attribute(), 0x07);
  EXPECT_EQ(host().title(), "");
}

TEST_F(ProcessTest, TheProcessHeapAloneGivesMemory) {
  const HANDLE heap = GetProcessHeap();
  auto* records = static_cast<INPUT_RECORD*>(HeapAlloc(heap, 0, 3 * sizeof(INPUT_RECORD)));
  ASSERT_NE(records, nullptr);
  records[2].EventType = KEY_EVENT;
  EXPECT_TRUE(HeapFree(heap, 0, records));
  EXPECT_EQ(HeapAlloc(nullptr, 0, 8), nullptr);
  EXPECT_FALSE(HeapFree(nullptr, 0, nullptr));
}

}  // namespace
