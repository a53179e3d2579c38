#include "power/residual_caption.h"

#include "power/residual_power.h"
#include "tests/power/caption_grammar.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace {

using power::LensPower;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ResidualCaption, WorkedResults)
{
    const struct {
        LensPower residual;
        const char* caption;
    } rows[] = {
        {{0.0, 0.0, std::nullopt}, "Ｓ 0.00Ｄ"},
        {{0.0, 0.0, 90}, "Ｓ 0.00Ｄ"},
        {{0.25, -0.25, 90}, "Ｓ＋0.25Ｄ Ｃ-0.25Ｄ Ａ90°"},
        {{0.0, -1.0, 90}, "Ｓ 0.00Ｄ Ｃ-1.00Ｄ Ａ90°"},
        {{1.0, -2.0, 180}, "Ｓ＋1.00Ｄ Ｃ-2.00Ｄ Ａ180°"},
        {{0.183013314093, -0.866026628186, 15}, "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°"},
        {{0.368909539938, -0.487819079877, 151}, "Ｓ＋0.37Ｄ Ｃ-0.49Ｄ Ａ151°"},
        {{1.537475319129, -2.074950638258, 96}, "Ｓ＋1.54Ｄ Ｃ-2.07Ｄ Ａ96°"},
        {{-1.5, -0.75, 180}, "Ｓ-1.50Ｄ Ｃ-0.75Ｄ Ａ180°"},
        {{10.0, 0.0, std::nullopt}, "Ｓ＋10.00Ｄ"},
        {{-10.0, -5.0, 1}, "Ｓ-10.00Ｄ Ｃ-5.00Ｄ Ａ1°"},
        // zero tests are exact on the unrounded values
        {{0.001, 0.0, std::nullopt}, "Ｓ＋0.00Ｄ"},
        {{0.0, -0.001, 45}, "Ｓ 0.00Ｄ Ｃ-0.00Ｄ Ａ45°"},
        {{-0.0, -0.0, 45}, "Ｓ 0.00Ｄ"},
        // an absent or zero axis reads as 180; a negative one is left out
        {{0.0, -1.0, std::nullopt}, "Ｓ 0.00Ｄ Ｃ-1.00Ｄ Ａ180°"},
        {{0.0, -1.0, 0}, "Ｓ 0.00Ｄ Ｃ-1.00Ｄ Ａ180°"},
        {{0.0, -1.0, -5}, "Ｓ 0.00Ｄ Ｃ-1.00Ｄ"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::ResidualCaption(row.residual), row.caption);
    }
}

TEST(ResidualCaption, CodePointsOfTheNotation)
{
    // Ｓ U+FF33, ＋ U+FF0B, Ｄ U+FF24, Ｃ U+FF23, Ａ U+FF21, ° U+00B0.
    EXPECT_EQ(power::ResidualCaption({0.25, -0.25, 90}),
              "\xEF\xBC\xB3\xEF\xBC\x8B" "0.25\xEF\xBC\xA4"
              " \xEF\xBC\xA3-0.25\xEF\xBC\xA4"
              " \xEF\xBC\xA1" "90\xC2\xB0");
}

TEST(ResidualCaption, ValuesThatAreNotNumbersNeverReachTheText)
{
    const struct {
        const char* why;
        LensPower residual;
        const char* caption;
    } rows[] = {
        {"sphere not a number", {kNaN, -1.0, 90}, " Ｃ-1.00Ｄ Ａ90°"},
        {"infinite sphere", {kInf, 0.0, std::nullopt}, ""},
        {"negative infinite sphere", {-kInf, -1.0, 30}, " Ｃ-1.00Ｄ Ａ30°"},
        {"cylinder not a number", {0.5, kNaN, 30}, "Ｓ＋0.50Ｄ"},
        {"infinite cylinder", {0.5, -kInf, 30}, "Ｓ＋0.50Ｄ"},
        {"nothing finite", {kNaN, kNaN, std::nullopt}, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::ResidualCaption(row.residual), row.caption) << row.why;
    }
}

TEST(ResidualCaption, FromScrollPositionsToText)
{
    const struct {
        power::ScrollPositions positions;
        const char* caption;
    } rows[] = {
        {{1000, 0, 90, 1000, 0, 90}, "Ｓ 0.00Ｄ"},
        {{1000, 0, 90, 1000, 75, 90}, "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°"},
        {{1000, 100, 150, 1000, 50, 120}, "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°"},
        {{0, 0, 90, 1000, 0, 90}, "Ｓ＋10.00Ｄ"},
        {{1000, 100, 150, 1000, 100, 30}, "Ｓ＋0.87Ｄ Ｃ-1.73Ｄ Ａ45°"},
    };
    for (const auto& row : rows) {
        const LensPower residual = power::ResidualPower(power::CheckReading(row.positions),
                                                        power::MeasuredReading(row.positions));
        EXPECT_EQ(power::ResidualCaption(residual), row.caption);
    }
}

// The grid and sweep tests lean on this reader; it must reject near misses.
TEST(CaptionGrammar, AcceptsOnlyTheCaptionForm)
{
    const struct {
        const char* caption;
        bool wellFormed;
    } rows[] = {
        {"Ｓ 0.00Ｄ", true},
        {"Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°", true},
        {"Ｓ-10.00Ｄ Ｃ-5.00Ｄ Ａ180°", true},
        {"Ｓ-0.00Ｄ", true},
        {"", false},
        {"Ｓ0.00Ｄ", false},
        {"Ｓ＋0.18Ｄ Ｃ-0.87Ｄ", false},
        {"Ｓ＋0.18Ｄ Ｃ＋0.87Ｄ Ａ15°", false},
        {"Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ0°", false},
        {"Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ181°", false},
        {"Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ015°", false},
        {"Ｓ＋00.18Ｄ", false},
        {"Ｓ＋0.1Ｄ", false},
        {"Ｓ＋0,18Ｄ", false},
        {"Ｓ+0.18Ｄ", false},
        {"Ｓ＋nanＤ", false},
        {"Ｓ＋0.18Ｄ ", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::testing::IsWellFormedCaption(row.caption), row.wellFormed)
            << row.caption;
    }
}

}  // namespace
