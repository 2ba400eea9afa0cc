// Whole runs of the game on the headless console from any input script, on every console the
// host can start as, cut off by an Esc after 1,500 pauses so that none keeps the fuzzer waiting:
// each must keep the play checker's rules and end as soak_run requires.
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tests/soak/soak_play.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const InputScript script =
      parse_input_script(std::string(reinterpret_cast<const char*>(data), size));
  if (script.error_line != 0) {
    return 0;
  }
  for (const ConsoleProfile& console : console_profiles()) {
    uint64_t ticks = 0;
    const std::string problem = soak_run(SoakKeys::kScript, 0, script.lines, 1500, ticks, console);
    if (!problem.empty()) {
      fuzz_check_failed((problem + " on the console " + console.name).c_str(), __FILE__, __LINE__);
    }
  }
  return 0;
}
