// Whole runs of the game on the headless console from any input script, cut off by an Esc after
// 1,500 pauses so that none keeps the fuzzer waiting: each must keep the play checker's rules and
// end as soak_run requires.
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tests/soak/soak_play.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const InputScript script =
      parse_input_script(std::string(reinterpret_cast<const char*>(data), size));
  uint64_t ticks = 0;
  const std::string problem =
      script.error_line != 0 ? "" : soak_run(SoakKeys::kScript, 0, script.lines, 1500, ticks);
  if (!problem.empty()) {
    fuzz_check_failed(problem.c_str(), __FILE__, __LINE__);
  }
  return 0;
}
