#pragma once

// What the six scroll bars mean: which reading and which kind of value each one
// gives, how its position becomes a value, and how a value is written. Pure
// arithmetic and text: it knows no control (the window's table of bars adds
// their labels and steps), and the residual power lives elsewhere.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace power {

using ScrollPosition = std::int16_t;

// The readings the window asks for: 遠用度数確認値 (the lens's verification
// value) and 遠用度数実測値 (what the lensmeter reads).
enum class Row { Check, Measured };
// What a bar feeds. One position is one step of the value: a hundredth of
// a dioptre on sphere and cylinder bars, a degree on axis bars.
enum class BarKind { Sphere, Cylinder, Axis };

struct BarMeaning final {
    Row row;
    BarKind kind;
};

// HScroll1..HScroll6: every table of the bars and every ScrollPositions
// lists them in this order.
inline constexpr std::array<BarMeaning, 6> kBarMeanings{{
    {Row::Check, BarKind::Sphere},
    {Row::Check, BarKind::Cylinder},
    {Row::Check, BarKind::Axis},
    {Row::Measured, BarKind::Sphere},
    {Row::Measured, BarKind::Cylinder},
    {Row::Measured, BarKind::Axis},
}};

using ScrollPositions = std::array<ScrollPosition, kBarMeanings.size()>;

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
// One step as a value: 0.01 (the double nearest it) or 1.
double StepSize(BarKind kind);

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
// Axis bars run 0..180: 45 -> 135; position 180 gives axis 0, named 180.
std::int16_t AxisFromPosition(ScrollPosition position);

// The other way: a value counted in steps to the position showing it, or
// nothing when the bar cannot show it. -325 on a sphere bar -> 1325,
// -150 on a cylinder bar -> 150, axis 175 -> 5, axis 0 -> 180 ("180°").
std::optional<ScrollPosition> PositionFromSteps(BarKind kind, long long steps);

// A position's value as a number in the unit its label shows, dioptres or
// degrees, for whatever reads values rather than captions (assistive
// technology): 1325 on a sphere bar -> -3.25, 5 on an axis bar -> 175,
// and axis 0 is 180 here too.
double ValueAt(BarKind kind, ScrollPosition position);

struct ValueRange final {
    double least;
    double greatest;
};
// The values at the two ends of a bar, the lesser first: sphere -10..+10,
// cylinder -5..0, axis 0..180.
ValueRange ValueRangeOf(BarKind kind);

// The position whose value is nearest `value`, to the bar's step: -3.254 on
// a sphere bar -> 1325; nothing for a value off the bar or not finite.
std::optional<ScrollPosition> PositionNearest(BarKind kind, double value);

// The row's three bars, by kBarMeanings, as one reading.
LensPower CheckReading(const ScrollPositions& positions);
LensPower MeasuredReading(const ScrollPositions& positions);

// Axis 0 and axis 180 are one meridian, and it is called 180.
constexpr int NamedAxis(int degrees)
{
    return degrees == 0 ? 180 : degrees;
}

// "＋0.25Ｄ", "0.00Ｄ", "-0.25Ｄ"; empty for a value that is not finite.
std::string DioptreCaption(double value);
// "135°"; axis 0 is "180°"; empty for a negative axis.
std::string AxisCaption(int axis);
// What a bar's value label shows for a position: 975 on a sphere bar ->
// "＋0.25Ｄ", 45 on an axis bar -> "135°".
std::string ValueCaption(BarKind kind, ScrollPosition position);

}  // namespace power
