#include "power/residual_power.h"

#include "platform/arctangent.h"
#include "platform/number_text.h"

#include <cmath>
#include <limits>

namespace power {

namespace {

// Deliberately not full-precision pi: the results must match the tool's
// established figures, and these two constants fix them.
constexpr double kPi = 3.1416;
constexpr double kHalfAngleDivisor = 6.2832;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// An axis outside 0..180 (no scroll bar gives one) is first brought into
// that range, turn by half turn.
int NormalisedAxis(std::optional<std::int16_t> axis)
{
    int degrees = axis.value_or(0);
    if (degrees < 0 || degrees > 180) {
        degrees = ((degrees % 180) + 180) % 180;
    }
    return NamedAxis(degrees);
}

// ((2 x) x 3.1416) / 180, in that order; for an axis 2 x is an integer product.
double DoubledRadians(int axis)
{
    return static_cast<double>(2 * axis) * kPi / 180.0;
}

double DoubledRadians(double angle)
{
    return 2.0 * angle * kPi / 180.0;
}

struct Residual final {
    double sphere;
    double cylinder;
    int axis;
};

// Empty when the readings' arithmetic is not finite enough to give an angle.
std::optional<Residual> CrossedCylinders(double s1, double c1, int a1, double s2, double c2, int a2)
{
    const double sinA1 = std::sin(DoubledRadians(a1));
    const double sinA2 = std::sin(DoubledRadians(a2));
    const double cosA1 = std::cos(DoubledRadians(a1));
    const double cosA2 = std::cos(DoubledRadians(a2));
    const double n = c1 * sinA1 - c2 * sinA2;
    const double d = c1 * cosA1 - c2 * cosA2;

    // With d = 0 the quotient is +-infinity (arctangent +-pi/2), or 0 when n
    // is 0 too; spelled out so that no division by zero is ever made.
    double t = 0.0;
    if (d != 0.0) {
        t = n / d;
    } else if (n != 0.0) {
        t = std::copysign(std::numeric_limits<double>::infinity(), n);
    }
    const double theta = platform::Arctangent(t) * 180.0 / kHalfAngleDivisor;  // about -45..+45
    if (std::isnan(theta)) {
        return std::nullopt;
    }

    // No quadrant correction: if the true axis is theta + 90 the cylinder
    // comes out positive and the transposition moves the axis.
    int axis = static_cast<int>(platform::RoundHalfEven(theta));
    if (axis <= 0) {
        axis += 180;
    } else if (axis > 180) {
        axis -= 180;
    }

    const double sinDoubledTheta = std::sin(DoubledRadians(theta));  // the unrounded theta
    const double cylinder = sinDoubledTheta != 0.0 ? n / sinDoubledTheta : d;
    const double sphere = (s1 - s2) + ((c1 - c2) - cylinder) / 2.0;
    return Residual{sphere, cylinder, axis};
}

}  // namespace

LensPower ResidualPower(const LensPower& check, const LensPower& measured)
{
    const double s1 = check.sphere;
    const double c1 = check.cylinder;
    const int a1 = NormalisedAxis(check.axis);
    const double s2 = measured.sphere;
    const double c2 = measured.cylinder;
    const int a2 = NormalisedAxis(measured.axis);

    Residual r{};
    if (c1 == 0.0 && c2 == 0.0) {
        return {s1 - s2, 0.0, std::nullopt};
    }
    if (c1 == 0.0 && c2 < 0.0) {
        r = {s1 - s2, -c2, a2};  // a plus cylinder: transposed below
    } else if (c2 == 0.0 && c1 < 0.0) {
        r = {s1 - s2, c1, a1};
    } else if (a1 == a2) {
        r = {s1 - s2, c1 - c2, a1};
    } else if (a1 == a2 + 90 || a2 == a1 + 90) {
        r = {(s1 - s2) - c2, c1 + c2, a1};
    } else {
        const auto crossed = CrossedCylinders(s1, c1, a1, s2, c2, a2);
        if (!crossed) {
            return {kNaN, kNaN, std::nullopt};
        }
        r = *crossed;
    }

    if (r.cylinder > 0.0) {
        r.sphere += r.cylinder;
        r.cylinder = -r.cylinder;
        r.axis += 90;
        if (r.axis > 180) {
            r.axis -= 180;
        }
    }
    return {r.sphere, r.cylinder, static_cast<std::int16_t>(r.axis)};
}

}  // namespace power
