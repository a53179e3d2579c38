#pragma once

// Number-to-text and rounding as the power arithmetic needs them, the same
// under every process locale (printf-style formatting would write "0,25"
// under a German locale). Sine and cosine come straight from <cmath>, the
// arctangent from platform/arctangent.h; this header adds only what the
// standard library does not give in the exact form the captions rely on.

#include <cstdint>
#include <string>

namespace platform {

// The "#0.00" pattern: two decimals, at least one integer digit, a period,
// no grouping, an ASCII "-" before a negative value and no sign otherwise.
//   1.5 -> "1.50", -0.25 -> "-0.25", 10 -> "10.00", -0.0 -> "0.00"
// Rounds the exact binary value; an exact tie goes to the even hundredth
// (0.125 -> "0.12"). A negative value that rounds to zero keeps its sign
// (-0.001 -> "-0.00"), as a positive one keeps being positive. A value that
// is not finite has no such text: nothing is appended. Appended to `text`,
// so that a caption is built without temporary strings.
void AppendHundredths(std::string& text, double value);

// Decimal digits with a leading "-" when negative: 15 -> "15", -3 -> "-3".
std::string IntegerText(std::int64_t value);

// Nearest whole number, an exact half going to the even neighbour:
// 2.5 -> 2, 3.5 -> 4, -0.5 -> 0 (a negative zero). Not-a-number and infinities come
// back unchanged.
double RoundHalfEven(double value);

}  // namespace platform
