#include "power/residual_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using power::LensPower;
using power::ScrollPositions;

// Golden values from an independent evaluation of the same formula in IEEE
// doubles (pi as 3.1416), not from this implementation.
struct ResidualRow {
    const char* why;
    ScrollPositions positions;
    double sphere;
    double cylinder;
    std::optional<int> axis;
};

TEST(ResidualPower, WorkedReadings)
{
    const ResidualRow rows[] = {
        {"a: no cylinders", {1000, 0, 90, 1000, 0, 90}, 0.0, 0.0, std::nullopt},
        {"d: identical readings", {1200, 100, 90, 1200, 100, 90}, 0.0, 0.0, 90},
        {"d: equal axes", {1200, 100, 90, 1225, 75, 90}, 0.25, -0.25, 90},
        {"c: measured without cylinder", {1000, 100, 90, 1000, 0, 90}, 0.0, -1.0, 90},
        {"b: transposed", {1000, 0, 90, 1000, 100, 150}, 1.0, -1.0, 120},
        {"e: perpendicular, check axis 0", {1200, 100, 0, 1200, 100, 90}, 1.0, -2.0, 180},
        {"f", {1000, 100, 150, 1000, 50, 120}, 0.183013314093, -0.866026628186, 15},
        {"f: axis folded", {800, 50, 160, 800, 75, 140}, 0.368909539938, -0.487819079877, 151},
        {"f: transposed", {1000, 100, 120, 1000, 200, 160}, 1.537475319129, -2.074950638258, 96},
        {"f: theta near 0 folds to 180", {1000, 100, 150, 1000, 100, 120}, 0.500001060363,
         -1.000002120725, 180},
        {"f: theta near -45, folded then transposed", {1000, 100, 150, 1000, 100, 30},
         0.866022954971, -1.732045909941, 45},
        {"d: axis 0 equals axis 180", {1000, 100, 180, 1000, 50, 0}, 0.0, -0.5, 180},
        {"e: perpendicular the other way", {1000, 100, 90, 1000, 100, 0}, 1.0, -2.0, 90},
    };
    for (const auto& row : rows) {
        const LensPower result = power::ResidualPower(power::CheckReading(row.positions),
                                                      power::MeasuredReading(row.positions));
        EXPECT_NEAR(result.sphere, row.sphere, 1e-9) << row.why;
        EXPECT_NEAR(result.cylinder, row.cylinder, 1e-9) << row.why;
        EXPECT_EQ(result.axis, row.axis) << row.why;
    }
}

TEST(ResidualPower, ExactResultsWhereNoTrigonometryIsInvolved)
{
    // Cases a to e are plain double subtraction and addition: exact, not
    // merely near. Perpendicular axes either way round are case e:
    // -1.00 at 30 minus -0.50 at 120 is +0.50 -1.50 at 30.
    const struct {
        const char* why;
        LensPower check;
        LensPower measured;
        LensPower residual;
    } rows[] = {
        {"d: equal axes", {-2.0, -1.0, 90}, {-2.25, -0.75, 90}, {0.25, -0.25, 90}},
        {"e: check axis 90 above measured", {0.0, -1.0, 120}, {0.0, -0.5, 30}, {0.5, -1.5, 120}},
        {"e: measured axis 90 above check", {0.0, -1.0, 30}, {0.0, -0.5, 120}, {0.5, -1.5, 30}},
        {"e: measured axis 180 above 90", {0.25, -0.75, 90}, {0.0, -0.25, 180}, {0.5, -1.0, 90}},
    };
    for (const auto& row : rows) {
        const LensPower r = power::ResidualPower(row.check, row.measured);
        EXPECT_EQ(r.sphere, row.residual.sphere) << row.why;
        EXPECT_EQ(r.cylinder, row.residual.cylinder) << row.why;
        EXPECT_EQ(r.axis, row.residual.axis) << row.why;
    }
}

// Readings no scroll bar can produce, for which a divisor of the crossed
// cylinders formula is exactly zero: the result stays finite and sound.
double DoubledSin(int axis) { return std::sin(2 * axis * 3.1416 / 180); }
double DoubledCos(int axis) { return std::cos(2 * axis * 3.1416 / 180); }
constexpr double kDegree = 3.14159265358979 / 180;

TEST(ResidualPower, CylindersThatCancelLeaveNoCylinder)
{
    // The smallest subnormal cylinders: every product with a sine or cosine
    // at axes 40 and 50 rounds to the same double, so both sums are 0.
    const double tiny = -std::numeric_limits<double>::denorm_min();
    const LensPower r = power::ResidualPower({1.0, tiny, 40}, {0.0, tiny, 50});
    EXPECT_EQ(r.sphere, 1.0);
    EXPECT_EQ(r.cylinder, 0.0);
    EXPECT_EQ(r.axis, 180);
}

TEST(ResidualPower, ZeroCosineSumPutsTheAxisAt45)
{
    // c1 cos 2a1 and c2 cos 2a2 are the same product, so their difference is 0;
    // the sine sum is sin 60 degrees: a cylinder of that size at 45, transposed.
    const LensPower check{0.0, -DoubledCos(40), 10};
    const LensPower measured{0.0, -DoubledCos(10), 40};
    ASSERT_EQ(check.cylinder * DoubledCos(10) - measured.cylinder * DoubledCos(40), 0.0);
    const LensPower r = power::ResidualPower(check, measured);
    EXPECT_NEAR(r.cylinder, -std::sin(60 * kDegree), 1e-4);
    EXPECT_NEAR(r.sphere, -r.cylinder / 2 + (check.cylinder - measured.cylinder) / 2, 1e-4);
    EXPECT_EQ(r.axis, 135);
}

TEST(ResidualPower, ZeroSineOfDoubledAngleGivesTheCosineSum)
{
    // The sine sum is 0, so theta is 0 and the combined cylinder lies along
    // the doubled angle 0: its size is the cosine sum, -sin 40 degrees.
    const LensPower check{0.0, -DoubledSin(80), 10};
    const LensPower measured{0.0, -DoubledSin(10), 80};
    ASSERT_EQ(check.cylinder * DoubledSin(10) - measured.cylinder * DoubledSin(80), 0.0);
    const LensPower r = power::ResidualPower(check, measured);
    EXPECT_NEAR(r.cylinder, -std::sin(40 * kDegree), 1e-4);
    EXPECT_NEAR(r.sphere, std::sin(40 * kDegree) / 2, 1e-4);
    EXPECT_EQ(r.axis, 180);
}

TEST(ResidualPower, AxesOutsideTheBarRangeAreTakenModulo180)
{
    const LensPower inRange = power::ResidualPower({0.0, -1.0, 30}, {0.0, -0.5, 60});
    const LensPower wrapped = power::ResidualPower({0.0, -1.0, 30 + 360}, {0.0, -0.5, 60 - 180});
    EXPECT_EQ(wrapped.sphere, inRange.sphere);
    EXPECT_EQ(wrapped.cylinder, inRange.cylinder);
    EXPECT_EQ(wrapped.axis, inRange.axis);

    const LensPower extreme =
        power::ResidualPower({0.0, -1.0, std::numeric_limits<std::int16_t>::max()},
                             {0.0, -0.5, std::numeric_limits<std::int16_t>::min()});
    ASSERT_TRUE(extreme.axis.has_value());
    EXPECT_GE(*extreme.axis, 1);
    EXPECT_LE(*extreme.axis, 180);
}

TEST(ResidualPower, NonFiniteReadingsGiveNoNumberAndNoAxis)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const LensPower nanCylinder = power::ResidualPower({0.0, kNaN, 30}, {0.0, -0.5, 60});
    EXPECT_TRUE(std::isnan(nanCylinder.cylinder));
    EXPECT_FALSE(nanCylinder.axis.has_value());

    const LensPower infinite = power::ResidualPower({0.0, -kInf, 30}, {0.0, -kInf, 60});
    EXPECT_TRUE(std::isnan(infinite.sphere));
    EXPECT_TRUE(std::isnan(infinite.cylinder));
    EXPECT_FALSE(infinite.axis.has_value());
}

}  // namespace
