#include "console_fixture.h"

namespace {

class ScrollConsoleScreenBufferTest : public ConsoleTest {
 protected:
  // Rows "r0..", "r1..", ... in a buffer four wide and four high.
  void SetUp() override {
    ConsoleTest::SetUp();
    host().reset(4, 4);
    write("r0--r1--r2--r3--");
  }

  static BOOL scroll(SMALL_RECT source, const SMALL_RECT* clip, COORD destination,
                     char fill_char = '.', WORD fill_attr = 0x1F) {
    CHAR_INFO fill{};
    fill.Char.AsciiChar = fill_char;
    fill.Attributes = fill_attr;
    return ScrollConsoleScreenBufferA(out(), &source, clip, destination, &fill);
  }

  // The rectangle con_delete_line scrolls for the cursor on row y.
  static void delete_line(int y) {
    CHAR_INFO fill{};
    fill.Char.AsciiChar = ' ';
    fill.Attributes = 0x0F;
    const SMALL_RECT source = {0, static_cast<SHORT>(y + 1), static_cast<SHORT>(host().width()),
                               static_cast<SHORT>(host().height() - 1)};
    EXPECT_TRUE(
        ScrollConsoleScreenBufferA(out(), &source, nullptr, {0, static_cast<SHORT>(y)}, &fill));
  }
};

TEST_F(ScrollConsoleScreenBufferTest, DeleteLineRectangleOnAMiddleRowMovesTheRowsBelowUp) {
  delete_line(1);
  EXPECT_EQ(row(0), "r0--");
  EXPECT_EQ(row(1), "r2--");
  EXPECT_EQ(row(2), "r3--");
  EXPECT_EQ(row(3), "    ");
  EXPECT_EQ(host().cell(0, 3).attr, 0x0F);
  EXPECT_EQ(host().cell(0, 2).attr, ConsoleHost::kDefaultAttribute);
}

TEST_F(ScrollConsoleScreenBufferTest, DeleteLineRectangleOnTheLastRowIsAnEmptySource) {
  delete_line(3);
  EXPECT_EQ(row(2), "r2--");
  EXPECT_EQ(row(3), "r3--");
  EXPECT_EQ(host().cell(0, 3).attr, ConsoleHost::kDefaultAttribute);
}

TEST_F(ScrollConsoleScreenBufferTest, UncoveredSourceCellsTakeTheFill) {
  ASSERT_TRUE(scroll({0, 0, 1, 0}, nullptr, {2, 0}));
  EXPECT_EQ(row(0), "..r0");
  EXPECT_EQ(host().cell(0, 0).attr, 0x1F);
  EXPECT_EQ(host().cell(2, 0).attr, ConsoleHost::kDefaultAttribute);
}

TEST_F(ScrollConsoleScreenBufferTest, OverlappingMoveCopiesTheSourceAsItWasBefore) {
  ASSERT_TRUE(scroll({0, 0, 2, 0}, nullptr, {1, 0}));
  EXPECT_EQ(row(0), ".r0-");
}

TEST_F(ScrollConsoleScreenBufferTest, SourceIsClippedToTheBufferAndTheDestinationMovesWithIt) {
  ASSERT_TRUE(scroll({-2, 0, 1, 0}, nullptr, {0, 2}));
  // Columns 0 and 1 of row 0 land where columns 0 and 1 of the unclipped source would: 2 and 3.
  EXPECT_EQ(row(2), "r2r0");
  EXPECT_EQ(row(0), "..--");
}

TEST_F(ScrollConsoleScreenBufferTest, SourceEntirelyOutsideTheBufferChangesNothing) {
  ASSERT_TRUE(scroll({0, 4, 3, 6}, nullptr, {0, 0}));
  ASSERT_TRUE(scroll({5, 0, 9, 3}, nullptr, {0, 0}));
  EXPECT_EQ(row(0), "r0--");
  EXPECT_EQ(row(3), "r3--");
}

TEST_F(ScrollConsoleScreenBufferTest, DestinationCellsOutsideTheBufferAreDropped) {
  ASSERT_TRUE(scroll({0, 2, 3, 3}, nullptr, {2, 3}));
  EXPECT_EQ(row(2), "....");
  EXPECT_EQ(row(3), "..r2");
}

TEST_F(ScrollConsoleScreenBufferTest, ClipRectangleLimitsBothTheCopyAndTheFill) {
  const SMALL_RECT clip = {0, 0, 2, 0};
  ASSERT_TRUE(scroll({0, 0, 3, 0}, &clip, {2, 0}));
  EXPECT_EQ(row(0), "..r-");
}

TEST_F(ScrollConsoleScreenBufferTest, FailsWithoutASourceOrAFill) {
  CHAR_INFO fill{};
  const SMALL_RECT source = {0, 0, 3, 3};
  EXPECT_FALSE(ScrollConsoleScreenBufferA(out(), nullptr, nullptr, {0, 0}, &fill));
  EXPECT_FALSE(ScrollConsoleScreenBufferA(out(), &source, nullptr, {0, 0}, nullptr));
  EXPECT_FALSE(ScrollConsoleScreenBufferA(in(), &source, nullptr, {0, 1}, &fill));
  EXPECT_EQ(row(0), "r0--");
}

}  // namespace
