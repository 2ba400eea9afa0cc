// What the fuzz targets share: a check that ends the run with a message the fuzzer keeps.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzz_check_failed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

// Aborts, and so makes the fuzzer keep the input, when the condition does not hold.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : fuzz_check_failed(#condition, __FILE__, __LINE__))
