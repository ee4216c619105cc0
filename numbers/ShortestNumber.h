#pragma once
// Machine-readable numbers: "." as the decimal mark, no group separators,
// and the fewest digits that read back as exactly the same value.

#include <string>

namespace velars {

void AppendShortest(std::string& out, float value);
void AppendShortest(std::string& out, double value);
void AppendShortest(std::string& out, long double value);
void AppendInteger(std::string& out, int value);

template <typename T>
std::string ShortestText(T value) {
    std::string text;
    AppendShortest(text, value);
    return text;
}

}  // namespace velars
