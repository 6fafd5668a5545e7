#pragma once

#include <cstdio>
#include <cstdlib>

namespace trel::fuzz {

// Stops the run when a property the target checks does not hold, naming it on standard error.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
  }
}

}  // namespace trel::fuzz

// Checks a property of the target, naming it when it fails, so a finding says what broke.
#define FUZZ_CHECK(holds) trel::fuzz::Require(holds, #holds)
