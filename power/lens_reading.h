#pragma once

// Turns scroll-bar positions into lens readings and a reading's values into
// the captions shown above the bars. Pure arithmetic and text: it knows no
// control, and the residual power and its caption live elsewhere.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace power {

using ScrollPosition = std::int16_t;

// HScroll1..HScroll6: check sphere, cylinder, axis; measured sphere,
// cylinder, axis.
using ScrollPositions = std::array<ScrollPosition, 6>;

// One sphero-cylinder in dioptres and degrees. A reading always has an axis
// in 0..180 and a cylinder of zero or less; a residual power has no axis
// when neither reading has a cylinder.
struct LensPower final {
    double sphere = 0.0;
    double cylinder = 0.0;
    std::optional<std::int16_t> axis;
};

// Sphere bars run 0..2000: 975 -> (975 - 1000) / -100.0 = +0.25 D.
double SphereFromPosition(ScrollPosition position);
// Cylinder bars run 0..500: 50 -> 50 / -100.0 = -0.50 D.
double CylinderFromPosition(ScrollPosition position);
// Axis bars run 0..180: 45 -> 135; both 0 and 180 are shown as 180 degrees.
std::int16_t AxisFromPosition(ScrollPosition position);

LensPower CheckReading(const ScrollPositions& positions);
LensPower MeasuredReading(const ScrollPositions& positions);

// "＋0.25Ｄ", "0.00Ｄ", "-0.25Ｄ"; empty for a value that is not finite.
std::string DioptreCaption(double value);
// "135°"; axis 0 is "180°"; empty for a negative axis.
std::string AxisCaption(std::int16_t axis);

}  // namespace power
