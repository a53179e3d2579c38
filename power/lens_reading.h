#pragma once

// What the six scroll bars mean: which reading and which quantity each one
// gives, how its position becomes a value, and how a value is written. Pure
// arithmetic and text: it knows no control (the window's table of bars adds
// their labels and ranges), and the residual power lives elsewhere.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace power {

using ScrollPosition = std::int16_t;

// The readings the window asks for: 遠用度数確認値 (the lens's verification
// value) and 遠用度数実測値 (what the lensmeter reads).
enum class Row { Check, Measured };
enum class Quantity { Sphere, Cylinder, Axis };

struct BarMeaning final {
    Row row;
    Quantity quantity;
};

// HScroll1..HScroll6: every table of the bars and every ScrollPositions
// lists them in this order.
inline constexpr std::array<BarMeaning, 6> kBarMeanings{{
    {Row::Check, Quantity::Sphere},
    {Row::Check, Quantity::Cylinder},
    {Row::Check, Quantity::Axis},
    {Row::Measured, Quantity::Sphere},
    {Row::Measured, Quantity::Cylinder},
    {Row::Measured, Quantity::Axis},
}};

using ScrollPositions = std::array<ScrollPosition, kBarMeanings.size()>;

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
std::string ValueCaption(Quantity quantity, ScrollPosition position);

}  // namespace power
