#pragma once
// The conversion of an INI value to a signed 32-bit integer: leading spaces,
// one sign ("+" or "-"), then decimal digits or hexadecimal digits after
// "$", "x", "X", "0x" or "0X". A hexadecimal value is a 32-bit pattern
// (FFFFFFFF is -1); a minus sign negates it in two's complement.

#include <QStringView>
#include <cstdint>
#include <optional>

namespace velars {

// nullopt when the text does not convert in full: empty, stray characters,
// a decimal value outside the signed 32-bit range or a hexadecimal value
// wider than 32 bits (leading zeros do not count).
std::optional<std::int32_t> ParseProfileInteger(QStringView text);

}  // namespace velars
