#include "numbers/ShortestNumber.h"

#include <charconv>
#include <string_view>

namespace velars {

namespace {

// The scientific form is kept for exponents outside this range; inside it
// the plain form reads better ("300000", "0.0001") at the same precision.
constexpr int kPlainFrom = -5;
constexpr int kPlainBelow = 17;

template <typename T>
void Append(std::string& out, T value) {
    char buffer[128];
    std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view text(buffer, static_cast<std::size_t>(end.ptr - buffer));
    const std::size_t e = text.find('e');
    if (e != std::string_view::npos) {
        int exponent = 0;
        std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                        exponent);
        if (exponent >= kPlainFrom && exponent < kPlainBelow)
            end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    }
    out.append(buffer, end.ptr);
}

}  // namespace

void AppendShortest(std::string& out, float value) { Append(out, value); }

void AppendShortest(std::string& out, double value) { Append(out, value); }

void AppendShortest(std::string& out, long double value) { Append(out, value); }

void AppendInteger(std::string& out, int value) {
    char buffer[16];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, end.ptr);
}

}  // namespace velars
