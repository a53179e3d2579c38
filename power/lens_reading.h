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

// What a bar feeds. One position is one step of the value: a hundredth of
// a dioptre on sphere and cylinder bars, a degree on axis bars.
enum class BarKind { Sphere, Cylinder, Axis };

struct PositionRange final {
    ScrollPosition minimum;
    ScrollPosition maximum;
};

constexpr PositionRange RangeOf(BarKind kind)
{
    switch (kind) {
    case BarKind::Sphere: return {0, 2000};
    case BarKind::Cylinder: return {0, 500};
    case BarKind::Axis: return {0, 180};
    }
    return {};
}

// Decimal places of one step: 2 for a dioptre bar, 0 for an axis bar.
int StepDecimals(BarKind kind);

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

// The other way: a value counted in steps to the position showing it, or
// nothing when the bar cannot show it. -325 on a sphere bar -> 1325,
// -150 on a cylinder bar -> 150, axis 175 -> 5, axis 0 -> 180 ("180°").
std::optional<ScrollPosition> PositionFromSteps(BarKind kind, long long steps);

LensPower CheckReading(const ScrollPositions& positions);
LensPower MeasuredReading(const ScrollPositions& positions);

// "＋0.25Ｄ", "0.00Ｄ", "-0.25Ｄ"; empty for a value that is not finite.
std::string DioptreCaption(double value);
// "135°"; axis 0 is "180°"; empty for a negative axis.
std::string AxisCaption(std::int16_t axis);

}  // namespace power
