#include "power/lens_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using power::ScrollPosition;

TEST(LensReading, SphereBarCaptions)
{
    const struct {
        ScrollPosition position;
        const char* caption;
    } rows[] = {
        {1000, "0.00Ｄ"}, {975, "＋0.25Ｄ"}, {1025, "-0.25Ｄ"}, {0, "＋10.00Ｄ"},
        {2000, "-10.00Ｄ"}, {999, "＋0.01Ｄ"}, {1001, "-0.01Ｄ"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::DioptreCaption(power::SphereFromPosition(row.position)), row.caption)
            << "position " << row.position;
    }
}

TEST(LensReading, CylinderBarCaptionsNeverShowPlus)
{
    const struct {
        ScrollPosition position;
        const char* caption;
    } rows[] = {
        {0, "0.00Ｄ"}, {50, "-0.50Ｄ"}, {500, "-5.00Ｄ"}, {1, "-0.01Ｄ"}, {75, "-0.75Ｄ"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::DioptreCaption(power::CylinderFromPosition(row.position)), row.caption)
            << "position " << row.position;
    }
    for (ScrollPosition position = 0; position <= 500; ++position) {
        const std::string caption = power::DioptreCaption(power::CylinderFromPosition(position));
        ASSERT_EQ(caption.find("＋"), std::string::npos) << "position " << position;
    }
}

TEST(LensReading, AxisBarCaptionsShowBothEndsAs180)
{
    const struct {
        ScrollPosition position;
        const char* caption;
    } rows[] = {
        {90, "90°"}, {45, "135°"}, {179, "1°"}, {0, "180°"}, {180, "180°"}, {135, "45°"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::AxisCaption(power::AxisFromPosition(row.position)), row.caption)
            << "position " << row.position;
    }
}

TEST(LensReading, DivisionsGiveTheExactDoubleQuotients)
{
    EXPECT_EQ(power::SphereFromPosition(1025), -0.25);
    EXPECT_EQ(power::SphereFromPosition(990), 0.1);  // the double nearest 0.1
    EXPECT_EQ(power::SphereFromPosition(0), 10.0);
    EXPECT_EQ(power::SphereFromPosition(2000), -10.0);
    EXPECT_EQ(power::CylinderFromPosition(500), -5.0);
    // A multiplication by -0.01 would give -0.35000000000000003 and 9.950000000000001.
    EXPECT_EQ(power::CylinderFromPosition(35), -0.35);
    EXPECT_EQ(power::SphereFromPosition(5), 9.95);
    // Zero positions may give a negative zero; it must still read as zero.
    EXPECT_EQ(power::DioptreCaption(power::CylinderFromPosition(0)), "0.00Ｄ");
    EXPECT_EQ(power::DioptreCaption(-0.0), "0.00Ｄ");
}

// What assistive technology reads and sets: values in the label's unit,
// each round trip back to the same position, ends in the same unit.
TEST(LensReading, ValuesInTheLabelsUnitAndBack)
{
    using power::BarKind;
    const struct {
        BarKind kind;
        power::ScrollPosition position;
        double value;
    } rows[] = {
        {BarKind::Sphere, 1325, -3.25}, {BarKind::Sphere, 975, 0.25},  {BarKind::Sphere, 0, 10.0},
        {BarKind::Cylinder, 150, -1.5}, {BarKind::Cylinder, 0, 0.0},   {BarKind::Axis, 5, 175.0},
        {BarKind::Axis, 0, 180.0},      {BarKind::Axis, 180, 180.0},   {BarKind::Axis, 90, 90.0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::ValueAt(row.kind, row.position), row.value) << row.position;
        EXPECT_EQ(power::PositionNearest(row.kind, row.value), row.kind == BarKind::Axis && row.position == 180
                                                                   ? power::ScrollPosition{0}
                                                                   : row.position);
    }
    EXPECT_FALSE(std::signbit(power::ValueAt(BarKind::Sphere, 1000)));  // "0.00", not "-0.00"
    EXPECT_FALSE(std::signbit(power::ValueAt(BarKind::Cylinder, 0)));
    EXPECT_FALSE(std::signbit(power::ValueRangeOf(BarKind::Cylinder).greatest));
    EXPECT_EQ(power::PositionNearest(BarKind::Sphere, -3.254), 1325);
    EXPECT_EQ(power::PositionNearest(BarKind::Axis, 0.0), 180);
    EXPECT_EQ(power::PositionNearest(BarKind::Sphere, 10.01), std::nullopt);
    EXPECT_EQ(power::PositionNearest(BarKind::Cylinder, 0.5), std::nullopt);  // a plus cylinder
    EXPECT_EQ(power::PositionNearest(BarKind::Axis, std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(power::PositionNearest(BarKind::Sphere, 1e300), std::nullopt);

    const struct {
        BarKind kind;
        double least;
        double greatest;
    } ends[] = {{BarKind::Sphere, -10.0, 10.0}, {BarKind::Cylinder, -5.0, 0.0}, {BarKind::Axis, 0.0, 180.0}};
    for (const auto& row : ends) {
        EXPECT_EQ(power::ValueRangeOf(row.kind).least, row.least);
        EXPECT_EQ(power::ValueRangeOf(row.kind).greatest, row.greatest);
    }
}

TEST(LensReading, ReadingsTakeTheirThreeBars)
{
    const power::ScrollPositions positions{975, 50, 45, 1100, 125, 180};
    const power::LensPower check = power::CheckReading(positions);
    const power::LensPower measured = power::MeasuredReading(positions);
    EXPECT_EQ(check.sphere, 0.25);
    EXPECT_EQ(check.cylinder, -0.5);
    EXPECT_EQ(check.axis, 135);
    EXPECT_EQ(measured.sphere, -1.0);
    EXPECT_EQ(measured.cylinder, -1.25);
    EXPECT_EQ(measured.axis, 0);
}

TEST(LensReading, CaptionsOfValuesNoBarProducesAreEmptyNotMalformed)
{
    EXPECT_EQ(power::DioptreCaption(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(power::DioptreCaption(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(power::DioptreCaption(-std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(power::AxisCaption(-1), "");
    EXPECT_EQ(power::AxisCaption(std::numeric_limits<std::int16_t>::min()), "");
}

TEST(LensReading, LiteralsUseFullWidthCodePoints)
{
    // "＋0.25Ｄ" is U+FF0B, ASCII "0.25", U+FF24; "180°" ends in U+00B0.
    EXPECT_EQ(power::DioptreCaption(0.25), "\xEF\xBC\x8B" "0.25" "\xEF\xBC\xA4");
    EXPECT_EQ(power::AxisCaption(0), "180\xC2\xB0");
}

}  // namespace
