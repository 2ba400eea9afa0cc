// A fresh console host for every test, driven through the Windows functions.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "console_host.h"

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override { console_host().reset(); }
  void TearDown() override { console_host().reset(); }

  static HANDLE out() { return GetStdHandle(STD_OUTPUT_HANDLE); }
  static HANDLE in() { return GetStdHandle(STD_INPUT_HANDLE); }

  // Writes bytes with processed output; the count of bytes taken.
  static DWORD write(const std::string& bytes) {
    DWORD written = 0;
    EXPECT_TRUE(
        WriteConsoleA(out(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    return written;
  }

  // The characters of one buffer row.
  static std::string row(int y) {
    std::string text;
    for (int x = 0; x < host().width(); ++x) {
      text += static_cast<char>(host().cell(x, y).ch);
    }
    return text;
  }

  static ConsoleHost& host() { return console_host(); }
};
