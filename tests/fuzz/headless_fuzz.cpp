// Whole runs of the game on the headless console from any input script, cut off by an Esc after
// 1,500 pauses so that none keeps the fuzzer waiting: each must keep the play checker's rules at
// every pause, end by the quit path within a tick of the cut, and give the console back.
#include <string>

#include "platform/host/console_host.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/soak/soak_play.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const InputScript script =
      parse_input_script(std::string(reinterpret_cast<const char*>(data), size));
  if (script.error_line != 0) {
    return 0;
  }
  SoakTally tally;
  const std::string problem = soak_run(SoakKeys::kPlanAlone, 0, script.lines, 1500, tally);
  if (!problem.empty()) {
    fuzz_check_failed(problem.c_str(), __FILE__, __LINE__);
  }
  // The tick that reads the Esc, then its pause.
  FUZZ_CHECK(tally.ticks_after_stop <= 1);
  const ConsoleHost& host = console_host();
  FUZZ_CHECK(host.width() == 80 && host.height() == 25 && host.cursor_visible());
  return 0;
}
