#include "power/lens_reading.h"

#include "platform/number_text.h"
#include "power/notation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace power {

namespace {

// A division, not a multiplication by -0.01: 990 must give the double
// nearest 0.1, and 1025 exactly -0.25.
constexpr double kHundredthsPerDioptre = -100.0;
constexpr int kSphereZero = 1000;  // the position of 0.00 D on a sphere bar
constexpr int kAxisZero = 180;     // the position of axis 0

LensPower ReadingOf(Row row, const ScrollPositions& positions)
{
    LensPower reading;
    for (std::size_t i = 0; i < kBarMeanings.size(); ++i) {
        if (kBarMeanings[i].row != row) {
            continue;
        }
        switch (kBarMeanings[i].kind) {
        case BarKind::Sphere:
            reading.sphere = SphereFromPosition(positions[i]);
            break;
        case BarKind::Cylinder:
            reading.cylinder = CylinderFromPosition(positions[i]);
            break;
        case BarKind::Axis:
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

namespace {

// The value at a position as arithmetic sees it, axis 0 left as 0; but
// never a negative zero (0 / -100.0), which a reader would say as "-0.00".
double RawValueAt(BarKind kind, ScrollPosition position)
{
    switch (kind) {
    case BarKind::Sphere: return SphereFromPosition(position) + 0.0;
    case BarKind::Cylinder: return CylinderFromPosition(position) + 0.0;
    case BarKind::Axis: return AxisFromPosition(position);
    }
    return 0.0;
}

}  // namespace

double ValueAt(BarKind kind, ScrollPosition position)
{
    const double value = RawValueAt(kind, position);
    return kind == BarKind::Axis ? NamedAxis(static_cast<int>(value)) : value;
}

ValueRange ValueRangeOf(BarKind kind)
{
    const PositionRange range = RangeOf(kind);
    const double atMinimum = RawValueAt(kind, range.minimum);
    const double atMaximum = RawValueAt(kind, range.maximum);
    return {std::min(atMinimum, atMaximum), std::max(atMinimum, atMaximum)};
}

namespace {

// 100 or 1, exactly: std::pow need not be exact (MinGW's is not).
double StepsPerUnit(BarKind kind)
{
    double steps = 1.0;
    for (int i = 0; i < StepDecimals(kind); ++i) {
        steps *= 10.0;
    }
    return steps;
}

}  // namespace

double StepSize(BarKind kind)
{
    return 1.0 / StepsPerUnit(kind);
}

std::optional<ScrollPosition> PositionNearest(BarKind kind, double value)
{
    const double steps = value * StepsPerUnit(kind);
    // Past this no bar has a position, and llround would overflow.
    constexpr double kFurthest = std::numeric_limits<ScrollPosition>::max();
    if (!(std::abs(steps) <= kFurthest)) {  // NaN too
        return std::nullopt;
    }
    return PositionFromSteps(kind, std::llround(steps));
}

std::string ValueCaption(BarKind kind, ScrollPosition position)
{
    switch (kind) {
    case BarKind::Sphere:
        return DioptreCaption(SphereFromPosition(position));
    case BarKind::Cylinder:
        return DioptreCaption(CylinderFromPosition(position));
    case BarKind::Axis:
        return AxisCaption(AxisFromPosition(position));
    }
    return {};
}

}  // namespace power
