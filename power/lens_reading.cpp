#include "power/lens_reading.h"

#include "platform/number_text.h"
#include "power/notation.h"

#include <cmath>

namespace power {

namespace {

// A division, not a multiplication by -0.01: 990 must give the double
// nearest 0.1, and 1025 exactly -0.25.
constexpr double kHundredthsPerDioptre = -100.0;

}  // namespace

double SphereFromPosition(ScrollPosition position)
{
    // Within the bar's range the difference fits 16 bits; computing it in int
    // keeps positions outside the range from wrapping.
    return static_cast<double>(position - 1000) / kHundredthsPerDioptre;
}

double CylinderFromPosition(ScrollPosition position)
{
    return static_cast<double>(position) / kHundredthsPerDioptre;
}

std::int16_t AxisFromPosition(ScrollPosition position)
{
    return static_cast<std::int16_t>(180 - position);
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
