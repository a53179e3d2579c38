#include "power/typed_entry.h"

#include <gtest/gtest.h>

namespace {

using power::BarKind;
using power::EntryRefusal;
using Outcome = std::variant<power::ScrollPosition, EntryRefusal>;

// A bar position or a refusal, as a table row writes it.
struct Expected final {
    Expected(int position) : outcome(static_cast<power::ScrollPosition>(position)) {}  // NOLINT(google-explicit-constructor)
    Expected(EntryRefusal refusal) : outcome(refusal) {}  // NOLINT(google-explicit-constructor)
    Outcome outcome;
};
constexpr auto kNaN = EntryRefusal::NotANumber;
constexpr auto kOff = EntryRefusal::OffRange;
constexpr auto kFine = EntryRefusal::FinerThanStep;
constexpr auto kPlus = EntryRefusal::PlusCylinder;

// The bar positions are worked by hand: a sphere of -3.25 D sits at
// 1000 + 325, a cylinder of -1.50 D at 150, axis 175 at 180 - 175.
TEST(TypedEntry, EachTypedStringOnEachKindOfBar)
{
    const struct {
        const char* typed;
        Expected sphere, cylinder, axis;
    } rows[] = {
        {"-3.25", 1325, 325, kFine},  // finer than a degree before off the range
        {"1.5", 850, 150, kFine},  // unsigned: sphere plus, cylinder minus
        {"175", kOff, kOff, 5},
        {"3", 700, 300, 177}, {"3.", 700, 300, 177},
        {"3.2", 680, 320, kFine},
        {".25", 975, 25, kFine},
        {"-0.5", 1050, 50, kFine},
        {"+1.5", 850, kPlus, kFine},
        {"+0", 1000, 0, 180}, {"-0", 1000, 0, 180},  // a signed zero is zero; axis 0 shows as 180°
        {"180", kOff, kOff, 0},
        {"-5", 1500, 500, kOff},
        {"5.01", 499, kOff, kFine},
        {"-10.00", 2000, kOff, kOff},
        {"10.01", kOff, kOff, kFine},
        {"25", kOff, kOff, 155},
        {"-3.333", kFine, kFine, kFine},
        {"-3.250", 1325, 325, kFine},  // a zero past the step is no finer
        {"90.0", kOff, kOff, 90},
        {"99999999999999", kOff, kOff, kOff},
        {"", kNaN, kNaN, kNaN}, {"-", kNaN, kNaN, kNaN}, {"+-3", kNaN, kNaN, kNaN}, {"3.2.1", kNaN, kNaN, kNaN},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::PositionFromEntry(BarKind::Sphere, row.typed), row.sphere.outcome) << "sphere " << row.typed;
        EXPECT_EQ(power::PositionFromEntry(BarKind::Cylinder, row.typed), row.cylinder.outcome) << "cylinder " << row.typed;
        EXPECT_EQ(power::PositionFromEntry(BarKind::Axis, row.typed), row.axis.outcome) << "axis " << row.typed;
    }
}

TEST(TypedEntry, KeysOfAnEntryHalfOrFullWidth)
{
    const struct {
        const char* key;
        std::optional<char> character;
    } rows[] = {
        {"0", '0'}, {"9", '9'}, {"０", '0'}, {"３", '3'}, {"９", '9'}, {"-", '-'}, {"－", '-'},
        {"ー", '-'}, {"−", '-'}, {"+", '+'}, {"＋", '+'}, {".", '.'}, {"．", '.'}, {"。", '.'},
        {",", '.'}, {"，", '.'}, {"、", '.'},
        {"a", {}}, {"ａ", {}}, {" ", {}}, {"/", {}}, {"", {}}, {"33", {}}, {"\xEF\xBC", {}}, {"／", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(power::EntryCharacter(row.key), row.character) << row.key;
    }
}

}  // namespace
