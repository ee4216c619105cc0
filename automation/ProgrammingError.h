#pragma once
// A check for programming errors that stays in release builds: a failed
// condition prints an assertion naming it and stops the program.

namespace velars {

[[noreturn]] void AssertionFailed(const char* condition, const char* file, int line);

}  // namespace velars

#define VELARS_ASSERT(condition) \
    ((condition) ? static_cast<void>(0) : ::velars::AssertionFailed(#condition, __FILE__, __LINE__))
