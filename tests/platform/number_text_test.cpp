#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The text AppendHundredths adds to what is there already.
std::string Hundredths(double value)
{
    std::string text = "x";
    platform::AppendHundredths(text, value);
    return text.substr(1);
}

TEST(AppendHundredths, WritesTheHashZeroPointZeroZeroPattern)
{
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {1.5, "1.50"},     {-0.25, "-0.25"},   {10.0, "10.00"},  {0.0, "0.00"},
        {-0.0, "0.00"},    {0.1, "0.10"},      {-10.0, "-10.00"}, {123.456, "123.46"},
        {0.18301, "0.18"}, {-0.86602, "-0.87"}, {1e21, "1000000000000000000000.00"},
        // exact binary ties go to the even hundredth; 0.005 is a little above its tie
        {0.125, "0.12"},   {0.375, "0.38"},    {-0.125, "-0.12"}, {0.005, "0.01"},
        // tiny values keep the sign of the value they stand for
        {0.001, "0.00"},   {-0.001, "-0.00"},  {-1e-17, "-0.00"},
        // no text for what is not a number
        {kNaN, ""},        {kInf, ""},         {-kInf, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Hundredths(row.value), row.text) << "value " << row.value;
    }
}

TEST(AppendHundredths, LargestDoubleFitsWithoutTruncation)
{
    const std::string text = Hundredths(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
    EXPECT_EQ(Hundredths(-std::numeric_limits<double>::max()).front(), '-');
}

TEST(IntegerText, WritesDecimalDigitsWithMinusForNegatives)
{
    const struct {
        std::int64_t value;
        const char* text;
    } rows[] = {
        {0, "0"},
        {15, "15"},
        {180, "180"},
        {-3, "-3"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::IntegerText(row.value), row.text);
    }
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        double rounded;
    } rows[] = {
        {2.5, 2.0},    {3.5, 4.0},     {-0.5, 0.0},    {0.5, 0.0},  {1.5, 2.0},
        {-1.5, -2.0},  {-2.5, -2.0},   {44.5, 44.0},   {-44.5, -44.0},
        {2.4, 2.0},    {2.6, 3.0},     {-29.39, -29.0}, {5.83, 6.0}, {0.0001, 0.0},
        {-44.9997, -45.0},
        // the double just below one half must not be taken for a tie
        {0.49999999999999994, 0.0},    {-0.49999999999999994, 0.0},
        {4503599627370497.0, 4503599627370497.0},  // 2^52 + 1 is already whole
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::RoundHalfEven(row.value), row.rounded) << "value " << row.value;
    }
}

TEST(RoundHalfEven, NonFiniteValuesPassThrough)
{
    EXPECT_TRUE(std::isnan(platform::RoundHalfEven(kNaN)));
    EXPECT_EQ(platform::RoundHalfEven(kInf), kInf);
    EXPECT_EQ(platform::RoundHalfEven(-kInf), -kInf);
}

}  // namespace
