#pragma once

// What the fuzz targets check besides the sanitizers: a broken invariant
// aborts, and libFuzzer keeps the input that did it.

#include <cstdio>
#include <cstdlib>

namespace vek::fuzz {

inline void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace vek::fuzz
