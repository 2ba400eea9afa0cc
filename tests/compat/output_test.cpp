#include "console_fixture.h"

namespace {

using WriteConsoleTest = ConsoleTest;

TEST_F(WriteConsoleTest, DrawsBytesInTheCurrentAttributeAndMovesRight) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  EXPECT_EQ(write("ab"), 2u);
  EXPECT_EQ(host().cell(0, 0).ch, 'a');
  EXPECT_EQ(host().cell(1, 0).attr, 0x1E);
  EXPECT_EQ(host().cell(2, 0).attr, ConsoleHost::kDefaultAttribute);
  EXPECT_EQ(host().cursor_x(), 2);
}

TEST_F(WriteConsoleTest, ControlBytesBelowSpaceOtherThanTheFiveAreDrawnAsGlyphs) {
  write(std::string("\x01\x1B\x7F\xDB", 4));
  EXPECT_EQ(host().cell(0, 0).ch, 0x01);
  EXPECT_EQ(host().cell(1, 0).ch, 0x1B);
  EXPECT_EQ(host().cell(2, 0).ch, 0x7F);
  EXPECT_EQ(host().cell(3, 0).ch, 0xDB);
  EXPECT_EQ(host().cursor_x(), 4);
}

TEST_F(WriteConsoleTest, BellDrawsNothing) {
  write("a\ab");
  EXPECT_EQ(row(0).substr(0, 3), "ab ");
  EXPECT_EQ(host().cursor_x(), 2);
}

TEST_F(WriteConsoleTest, BackspaceMovesLeftButNotPastColumnZero) {
  write("abc\b\bX");
  EXPECT_EQ(row(0).substr(0, 3), "aXc");
  write("\r\b\b");
  EXPECT_EQ(host().cursor_x(), 0);
}

TEST_F(WriteConsoleTest, TabGoesToTheNextMultipleOfEightWithinTheRow) {
  write("ab\t");
  EXPECT_EQ(host().cursor_x(), 8);
  write("\t");
  EXPECT_EQ(host().cursor_x(), 16);
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {75, 0}));
  write("\t");
  EXPECT_EQ(host().cursor_x(), 79);
  EXPECT_EQ(host().cursor_y(), 0);
  EXPECT_FALSE(host().wrap_pending());
}

TEST_F(WriteConsoleTest, LineFeedGoesToTheStartOfTheNextRow) {
  write("abc\nd");
  EXPECT_EQ(host().cell(0, 1).ch, 'd');
  EXPECT_EQ(host().cursor_x(), 1);
  EXPECT_EQ(host().cursor_y(), 1);
}

TEST_F(WriteConsoleTest, CarriageReturnGoesToColumnZeroOfTheSameRow) {
  write("abc\rX");
  EXPECT_EQ(row(0).substr(0, 3), "Xbc");
  EXPECT_EQ(host().cursor_y(), 0);
}

TEST_F(WriteConsoleTest, LineFeedOnTheBottomRowScrollsWithABlankRowInTheCurrentAttribute) {
  host().reset(4, 3);
  write("top\nmid\nbot");
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2A));
  write("\n");
  EXPECT_EQ(row(0), "mid ");
  EXPECT_EQ(row(1), "bot ");
  EXPECT_EQ(row(2), "    ");
  EXPECT_EQ(host().cell(0, 2).attr, 0x2A);
  EXPECT_EQ(host().cell(0, 1).attr, ConsoleHost::kDefaultAttribute);
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 2);
}

TEST_F(WriteConsoleTest, WritingTheLastColumnLeavesAPendingWrap) {
  host().reset(55, 33);
  write(std::string(55, '='));
  EXPECT_TRUE(host().wrap_pending());
  EXPECT_EQ(host().cursor_x(), 54);
  EXPECT_EQ(host().cursor_y(), 0);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(out(), &info));
  EXPECT_EQ(info.dwCursorPosition.X, 54);
  EXPECT_EQ(info.dwCursorPosition.Y, 0);
}

TEST_F(WriteConsoleTest, AFullRowFollowedByALineFeedTakesOneRow) {
  host().reset(55, 33);
  write(std::string(55, '=') + "\nnext");
  EXPECT_EQ(row(1).substr(0, 4), "next");
  EXPECT_EQ(host().cursor_y(), 1);
}

TEST_F(WriteConsoleTest, TheNextDrawnByteAfterAPendingWrapStartsTheNextRow) {
  host().reset(4, 3);
  write("abcde");
  EXPECT_EQ(row(0), "abcd");
  EXPECT_EQ(row(1), "e   ");
  EXPECT_EQ(host().cursor_x(), 1);
  EXPECT_FALSE(host().wrap_pending());
}

TEST_F(WriteConsoleTest, APendingWrapOnTheBottomRowScrollsBeforeDrawing) {
  host().reset(2, 2);
  write("abcde");
  EXPECT_EQ(row(0), "cd");
  EXPECT_EQ(row(1), "e ");
}

TEST_F(WriteConsoleTest, CarriageReturnClearsAPendingWrap) {
  host().reset(4, 3);
  write("abcd\rX");
  EXPECT_EQ(row(0), "Xbcd");
  EXPECT_EQ(host().cursor_y(), 0);
}

TEST_F(WriteConsoleTest, BackspaceWithAPendingWrapClearsItAndMovesLeftFromTheLastColumn) {
  host().reset(4, 3);
  write("abcd\bX");
  EXPECT_EQ(row(0), "abXd");
  EXPECT_EQ(host().cursor_y(), 0);
}

TEST_F(WriteConsoleTest, TabLeavesAPendingWrapAsItIs) {
  host().reset(4, 3);
  write("abcd\t");
  EXPECT_TRUE(host().wrap_pending());
  write("e");
  EXPECT_EQ(row(1), "e   ");
}

TEST_F(WriteConsoleTest, FailsOnTheInputHandle) {
  DWORD written = 5;
  EXPECT_FALSE(WriteConsoleA(in(), "a", 1, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(host().cell(0, 0).ch, ' ');
}

using SetConsoleCursorPositionTest = ConsoleTest;

TEST_F(SetConsoleCursorPositionTest, PlacesTheCursorAndClearsAPendingWrap) {
  host().reset(4, 3);
  write("abcd");
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {3, 0}));
  EXPECT_FALSE(host().wrap_pending());
  write("X");
  EXPECT_EQ(row(0), "abcX");
  EXPECT_TRUE(host().wrap_pending());
}

TEST_F(SetConsoleCursorPositionTest, OutsideTheBufferFailsAndChangesNothing) {
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {5, 6}));
  EXPECT_FALSE(SetConsoleCursorPosition(out(), {80, 0}));
  EXPECT_FALSE(SetConsoleCursorPosition(out(), {0, 25}));
  EXPECT_FALSE(SetConsoleCursorPosition(out(), {-1, 0}));
  EXPECT_EQ(host().cursor_x(), 5);
  EXPECT_EQ(host().cursor_y(), 6);
}

}  // namespace
