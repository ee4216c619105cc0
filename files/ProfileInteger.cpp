#include "files/ProfileInteger.h"

namespace velars {

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) return std::nullopt;  // no digits at all

    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0 || (!hex && digit > 9)) return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;  // stops the accumulator long before it could wrap
    }

    if (hex) {
        const std::uint32_t pattern = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    if (negative) {
        if (magnitude > 0x80000000ull) return std::nullopt;
        return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(magnitude));
    }
    if (magnitude > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

}  // namespace velars
