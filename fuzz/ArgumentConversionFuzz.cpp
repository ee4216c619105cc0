// The report servers' reading of call arguments on any value of the
// types automation sends: no fault, and the readings agree with each other.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "automation/ArgumentConversion.h"

#include "FuzzCheck.h"

namespace {

velars::Variant AnyValue(FuzzedDataProvider& input) {
    using velars::Variant;
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0: return Variant::FromBool(input.ConsumeBool());
    case 1: return Variant::FromI4(input.ConsumeIntegral<std::int32_t>());
    case 2: return Variant::FromI2(input.ConsumeIntegral<std::int16_t>());
    case 3: return Variant::FromI1(input.ConsumeIntegral<std::int8_t>());
    case 4: return Variant::FromUI1(input.ConsumeIntegral<std::uint8_t>());
    case 5: {
        std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
        double value;
        static_assert(sizeof value == sizeof bits);
        std::memcpy(&value, &bits, sizeof value);
        return Variant::FromR8(value);
    }
    case 6: return Variant::FromBstr(std::nullopt);
    default: {
        const std::string bytes = input.ConsumeRemainingBytesAsString();
        return Variant::FromBstr(
            QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const velars::Variant value = AnyValue(input);
    const std::optional<double> number = velars::NumberArgument(value);
    const std::optional<std::int64_t> integer = velars::IntegerArgument(value);
    const std::optional<bool> truth = velars::BoolArgument(value);
    const std::optional<QString> text = velars::TextArgument(value);

    if (number) FUZZ_CHECK(std::isfinite(*number) && truth.has_value() && *truth == (*number != 0));
    if (integer) {
        FUZZ_CHECK(number.has_value() && std::fabs(*number - static_cast<double>(*integer)) <= 0.5);
        FUZZ_CHECK(*integer >= INT32_MIN && *integer <= INT32_MAX);
    }
    switch (value.vt()) {
    case velars::VT_I1:
    case velars::VT_UI1:
    case velars::VT_I2:
    case velars::VT_I4:
        // Every integer of these types is an integer argument, and its text.
        FUZZ_CHECK(integer.has_value() && text == QString::number(*integer));
        break;
    case velars::VT_BSTR: FUZZ_CHECK(text == value.bstrVal().value_or(QString())); break;
    default: break;
    }
    return 0;
}
