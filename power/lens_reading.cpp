#include "power/lens_reading.h"

#include "platform/number_text.h"
#include "power/notation.h"

#include <cmath>

namespace power {

namespace {

// A division, not a multiplication by -0.01: 990 must give the double
// nearest 0.1, and 1025 exactly -0.25.
constexpr double kHundredthsPerDioptre = -100.0;

LensPower ReadingOf(Row row, const ScrollPositions& positions)
{
    LensPower reading;
    for (std::size_t i = 0; i < kBarMeanings.size(); ++i) {
        if (kBarMeanings[i].row != row) {
            continue;
        }
        switch (kBarMeanings[i].quantity) {
        case Quantity::Sphere:
            reading.sphere = SphereFromPosition(positions[i]);
            break;
        case Quantity::Cylinder:
            reading.cylinder = CylinderFromPosition(positions[i]);
            break;
        case Quantity::Axis:
            reading.axis = AxisFromPosition(positions[i]);
            break;
        }
    }
    return reading;
}

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
    return ReadingOf(Row::Check, positions);
}

LensPower MeasuredReading(const ScrollPositions& positions)
{
    return ReadingOf(Row::Measured, positions);
}

std::string DioptreCaption(double value)
{
    if (!std::isfinite(value)) {
        return {};
    }
    std::string caption;
    if (value > 0.0) {
        caption += notation::kPlus;
    }
    platform::AppendHundredths(caption, value);  // 0.0 and -0.0 both "0.00"
    caption += notation::kDioptre;
    return caption;
}

std::string AxisCaption(int axis)
{
    if (axis < 0) {
        return {};
    }
    return platform::IntegerText(NamedAxis(axis)) + std::string(notation::kDegree);
}

std::string ValueCaption(Quantity quantity, ScrollPosition position)
{
    switch (quantity) {
    case Quantity::Sphere:
        return DioptreCaption(SphereFromPosition(position));
    case Quantity::Cylinder:
        return DioptreCaption(CylinderFromPosition(position));
    case Quantity::Axis:
        return AxisCaption(AxisFromPosition(position));
    }
    return {};
}

}  // namespace power
