// Whole runs of the game on the headless console from any input script. Every run must end by
// the quit path, within a bounded number of pauses, with the game sane at every pause. After
// kMostPauses pauses the script is cut off and an Esc pressed: the round pauses, finds no more
// input and quits, so a script that keeps playing cannot keep the fuzzer waiting.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "actors/random.h"
#include "console/console_layer_state.h"
#include "console_host.h"
#include "fuzz_check.h"
#include "game/game_main.h"
#include "game/game_state.h"
#include "headless_frontend.h"
#include "input_script.h"
#include "play_checker.h"

namespace {

constexpr uint64_t kMostPauses = 1500;
constexpr uint8_t kEscape = 0x1B;
// The console as a fresh host has it, before the game sizes it.
constexpr int kHostColumns = 80;
constexpr int kHostRows = 25;
// A run ends at most one tick after the cut: the tick that reads the Esc, then the pause.
constexpr uint64_t kMostPausesAfterCut = 1;

// The headless front end with the script cut off after kMostPauses, checking every pause.
class BoundedFrontend final : public ConsoleFrontend {
 public:
  explicit BoundedFrontend(std::vector<ScriptLine> script) : script_(std::move(script)) {}

  void attach(ConsoleHost& host) {
    script_.attach(host);
    host.set_frontend(this);
  }

  uint64_t pauses() const { return script_.pauses() + pauses_after_cut_; }

  void sleep(ConsoleHost& host, uint32_t milliseconds) override {
    if (cut_) {
      ++pauses_after_cut_;
      return;
    }
    script_.sleep(host, milliseconds);
    const std::string problem = checker_.check(game_state);
    if (!problem.empty()) {
      fuzz_check_failed(problem.c_str(), __FILE__, __LINE__);
    }
    if (script_.pauses() >= kMostPauses) {
      cut_ = true;
      host.push_keystroke(true, kEscape);
      host.end_input();
    }
  }

  void poll_input(ConsoleHost& host) override { script_.poll_input(host); }

  bool wait_for_input(ConsoleHost& host) override { return !cut_ && script_.wait_for_input(host); }

 private:
  HeadlessFrontend script_;
  PlayChecker checker_;
  bool cut_ = false;
  uint64_t pauses_after_cut_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const InputScript script =
      parse_input_script(std::string(reinterpret_cast<const char*>(data), size));
  if (script.error_line != 0) {
    return 0;
  }
  // A new process: the console and everything the game keeps start afresh.
  ConsoleHost& host = console_host();
  host.reset(kHostColumns, kHostRows);
  reset_program_state();

  BoundedFrontend frontend(script.lines);
  frontend.attach(host);
  const int status = game_main(0, nullptr);
  host.set_frontend(nullptr);
  FUZZ_CHECK(status == 0);
  FUZZ_CHECK(frontend.pauses() <= kMostPauses + kMostPausesAfterCut);
  // The quit path gives back the buffer and the cursor it found.
  FUZZ_CHECK(host.width() == kHostColumns && host.height() == kHostRows);
  FUZZ_CHECK(host.cursor_visible());
  return 0;
}
