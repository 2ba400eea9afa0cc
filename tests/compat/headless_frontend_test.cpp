#include "headless_frontend.h"

#include <memory>
#include <string>
#include <vector>

#include "console_fixture.h"

namespace {

// Records what the front end reports, with the characters queued at that moment.
class RecordingObserver : public HeadlessObserver {
 public:
  std::vector<std::string> events;

  void paused(ConsoleHost& host, uint64_t pauses) override {
    events.push_back("pause " + std::to_string(pauses) + " [" + queued(host) + "]");
  }
  void waiting(ConsoleHost& host, uint64_t pauses) override {
    events.push_back("wait " + std::to_string(pauses) + " [" + queued(host) + "]");
  }

 private:
  static std::string queued(const ConsoleHost& host) {
    std::string text;
    for (const ConsoleKey& key : host.input_queue()) {
      if (key.down) {
        text += key.has_char ? static_cast<char>(key.ch) : '?';
      }
    }
    return text;
  }
};

class HeadlessFrontendTest : public ConsoleTest {
 protected:
  void start(const std::string& script_text) {
    const InputScript script = parse_input_script(script_text);
    ASSERT_EQ(script.error_line, 0) << script.error;
    frontend_ = std::make_unique<HeadlessFrontend>(script.lines, &observer_);
    frontend_->attach(host());
  }

  // The characters of the key presses queued, '?' for one without.
  static std::string queued() {
    std::string text;
    for (const ConsoleKey& key : host().input_queue()) {
      if (key.down) {
        text += key.has_char ? static_cast<char>(key.ch) : '?';
      }
    }
    return text;
  }

  static int read_one() {
    char ch = 0;
    DWORD read = 0;
    return ReadConsoleA(in(), &ch, 1, &read, nullptr) ? static_cast<uint8_t>(ch) : -1;
  }

  RecordingObserver observer_;
  std::unique_ptr<HeadlessFrontend> frontend_;
};

TEST_F(HeadlessFrontendTest, DeliversTheLinesDueAtTheStart) {
  start("0 ab\n0 c\n1 d\n");
  EXPECT_EQ(queued(), "abc");
  EXPECT_EQ(frontend_->lines_delivered(), 2u);
}

TEST_F(HeadlessFrontendTest, EachByteIsAKeyPressAndItsRelease) {
  start("0 a\\k\n");
  const std::deque<ConsoleKey>& keys = host().input_queue();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_TRUE(keys[0].down && keys[0].has_char && keys[0].ch == 'a');
  EXPECT_TRUE(!keys[1].down && keys[1].has_char && keys[1].ch == 'a');
  EXPECT_TRUE(keys[2].down && !keys[2].has_char);
  EXPECT_TRUE(!keys[3].down && !keys[3].has_char);
}

TEST_F(HeadlessFrontendTest, DeliversAfterEachPauseTheLinesItMadeDue) {
  start("2 a\n2 b\n3 c\n");
  Sleep(100);
  EXPECT_EQ(queued(), "");
  Sleep(100);
  EXPECT_EQ(queued(), "ab");
  Sleep(100);
  EXPECT_EQ(queued(), "abc");
  // The observer hears of each pause before its lines are delivered.
  EXPECT_EQ(observer_.events,
            (std::vector<std::string>{"pause 1 []", "pause 2 []", "pause 3 [ab]"}));
}

TEST_F(HeadlessFrontendTest, ALaterLineHoldsBackTheLinesAfterIt) {
  start("5 a\n1 b\n");
  Sleep(100);
  EXPECT_EQ(queued(), "");
  for (int i = 0; i < 4; ++i) {
    Sleep(100);
  }
  EXPECT_EQ(queued(), "ab");
}

TEST_F(HeadlessFrontendTest, AWaitingReadTakesTheNextLineAtOnce) {
  start("50 x\n60 y\n");
  EXPECT_EQ(read_one(), 'x');
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"wait 0 []"}));
  EXPECT_EQ(frontend_->lines_delivered(), 1u);
}

TEST_F(HeadlessFrontendTest, AReadWithAKeyQueuedReportsNoWait) {
  start("0 x\n");
  EXPECT_EQ(read_one(), 'x');
  EXPECT_TRUE(observer_.events.empty());
}

TEST_F(HeadlessFrontendTest, OneWaitPerReadEvenWhenItTakesSeveralLines) {
  start("9 \\k\n9 \n9 q\n9 r\n");
  EXPECT_EQ(read_one(), 'q');
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"wait 0 []"}));
  EXPECT_EQ(frontend_->lines_delivered(), 3u);
}

TEST_F(HeadlessFrontendTest, LinesTakenByAWaitAreNotDeliveredAgain) {
  start("1 a\n1 b\n");
  EXPECT_EQ(read_one(), 'a');
  Sleep(100);
  EXPECT_EQ(queued(), "b");
}

TEST_F(HeadlessFrontendTest, WaitingWithTheScriptSpentEndsTheInput) {
  start("0 a\n");
  EXPECT_EQ(read_one(), 'a');
  EXPECT_EQ(read_one(), -1);
  EXPECT_TRUE(host().input_ended());
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"wait 0 []"}));
  // Once ended, a read fails without waiting again.
  EXPECT_EQ(read_one(), -1);
  EXPECT_EQ(observer_.events.size(), 1u);
}

TEST_F(HeadlessFrontendTest, NoScriptMeansNoInput) {
  start("");
  EXPECT_EQ(read_one(), -1);
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"wait 0 []"}));
}

TEST_F(HeadlessFrontendTest, PollingDeliversNothing) {
  start("1 a\n");
  DWORD count = 5;
  ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
  EXPECT_EQ(count, 0u);
}

TEST_F(HeadlessFrontendTest, WaitsReportThePauseCountAtThatMoment) {
  start("0 \n5 s\n");
  Sleep(100);
  Sleep(100);
  EXPECT_EQ(read_one(), 's');
  EXPECT_EQ(observer_.events.back(), "wait 2 []");
}

}  // namespace
