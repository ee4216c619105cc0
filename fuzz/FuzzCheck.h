#pragma once
// The invariant checks of the fuzz targets: a broken one names itself and
// aborts, which libFuzzer reports as a finding with its input.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) \
    ((condition) ? void() : ::velars::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace velars::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace velars::fuzz
