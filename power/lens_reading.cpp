#include "power/lens_reading.h"

#include "platform/number_text.h"
#include "power/notation.h"

#include <cmath>
#include <limits>

namespace power {

namespace {

// A division, not a multiplication by -0.01: 990 must give the double
// nearest 0.1, and 1025 exactly -0.25.
constexpr double kHundredthsPerDioptre = -100.0;
constexpr int kSphereZero = 1000;  // the position of 0.00 D on a sphere bar
constexpr int kAxisZero = 180;     // the position of axis 0

}  // namespace

double SphereFromPosition(ScrollPosition position)
{
    // Within the bar's range the difference fits 16 bits; computing it in int
    // keeps positions outside the range from wrapping.
    return static_cast<double>(position - kSphereZero) / kHundredthsPerDioptre;
}

double CylinderFromPosition(ScrollPosition position)
{
    return static_cast<double>(position) / kHundredthsPerDioptre;
}

std::int16_t AxisFromPosition(ScrollPosition position)
{
    return static_cast<std::int16_t>(kAxisZero - position);
}

int StepDecimals(BarKind kind)
{
    return kind == BarKind::Axis ? 0 : 2;
}

std::optional<ScrollPosition> PositionFromSteps(BarKind kind, long long steps)
{
    const PositionRange range = RangeOf(kind);
    // No position is further than this from zero; checked first, so the
    // subtractions below cannot overflow.
    constexpr long long kFurthest = std::numeric_limits<ScrollPosition>::max();
    if (steps < -kFurthest || steps > kFurthest) {
        return std::nullopt;
    }
    long long position = 0;
    switch (kind) {
    case BarKind::Sphere:
        position = kSphereZero - steps;
        break;
    case BarKind::Cylinder:
        position = -steps;
        break;
    case BarKind::Axis:
        position = kAxisZero - steps;
        break;
    }
    if (position < range.minimum || position > range.maximum) {
        return std::nullopt;
    }
    return static_cast<ScrollPosition>(position);
}

LensPower CheckReading(const ScrollPositions& positions)
{
    return {SphereFromPosition(positions[0]), CylinderFromPosition(positions[1]),
            AxisFromPosition(positions[2])};
}

LensPower MeasuredReading(const ScrollPositions& positions)
{
    return {SphereFromPosition(positions[3]), CylinderFromPosition(positions[4]),
            AxisFromPosition(positions[5])};
}

std::string DioptreCaption(double value)
{
    if (!std::isfinite(value)) {
        return {};
    }
    if (value > 0.0) {
        return std::string(notation::kPlus) + platform::FormatHundredths(value)
               + std::string(notation::kDioptre);
    }
    if (value == 0.0) {
        return std::string(notation::kZeroDioptre);
    }
    return platform::FormatHundredths(value) + std::string(notation::kDioptre);
}

std::string AxisCaption(std::int16_t axis)
{
    if (axis == 0) {
        return std::string(notation::kAxis180);
    }
    if (axis > 0) {
        return platform::IntegerText(axis) + std::string(notation::kDegree);
    }
    return {};
}

}  // namespace power
