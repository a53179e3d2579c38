#include "platform/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace platform {

void AppendHundredths(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        return;
    }
    if (value == 0.0) {
        value = 0.0;  // a negative zero is not a negative value
    }
    // The largest double has 309 integer digits; sign, point and two decimals
    // fit in the rest.
    std::array<char, 320> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    text.append(buffer.data(), result.ptr);
}

std::string IntegerText(std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

double RoundHalfEven(double value)
{
    if (!std::isfinite(value)) {
        return value;
    }
    // Work on the magnitude: there magnitude - floor(magnitude) is exact, so
    // a tie is recognised only when the value really is halfway.
    const double magnitude = std::fabs(value);
    double whole = std::floor(magnitude);
    const double fraction = magnitude - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return std::copysign(whole, value);
}

}  // namespace platform
