#pragma once

// A broken invariant aborts, so libFuzzer keeps the input that did it.
#include <cstdio>
#include <cstdlib>

namespace vek::fuzz {

inline void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace vek::fuzz
