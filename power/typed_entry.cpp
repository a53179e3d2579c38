#include "power/typed_entry.h"

#include "power/notation.h"

#include <array>
#include <utility>

namespace power {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// More digits than any bar's value has: the entry is off every range, and
// counting further could overflow.
constexpr int kMostDigits = 9;

}  // namespace

std::optional<char> EntryCharacter(std::string_view keyText)
{
    if (keyText.size() == 1 && (IsDigit(keyText[0]) || keyText == "+" || keyText == "-" || keyText == ".")) {
        return keyText[0];
    }
    if (keyText == ",") {
        return '.';
    }
    // "０".."９" are U+FF10..U+FF19: EF BC 90..99 in UTF-8.
    if (keyText.size() == 3 && keyText.substr(0, 2) == "\xEF\xBC" && keyText[2] >= '\x90' && keyText[2] <= '\x99') {
        return static_cast<char>('0' + (keyText[2] - '\x90'));
    }
    static constexpr std::array<std::pair<std::string_view, char>, 8> kWide{{
        {notation::kPlus, '+'},
        {"\uFF0D", '-'},  // －
        {"\u2212", '-'},  // − MINUS SIGN
        {"\u30FC", '-'},  // ー, the minus key with an input method on
        {"\uFF0E", '.'},  // ．
        {"\u3002", '.'},  // 。, the point key with an input method on
        {"\uFF0C", '.'},  // ，
        {"\u3001", '.'},  // 、, the comma key with an input method on
    }};
    for (const auto& [text, character] : kWide) {
        if (keyText == text) {
            return character;
        }
    }
    return std::nullopt;
}

std::variant<ScrollPosition, EntryRefusal> PositionFromEntry(BarKind kind, std::string_view entry)
{
    std::size_t i = 0;
    const bool plus = !entry.empty() && entry[0] == '+';
    const bool minus = !entry.empty() && entry[0] == '-';
    if (plus || minus) {
        ++i;
    }
    // The value counted in steps: "-3.25" on a dioptre bar is 325, then negated.
    const int decimals = StepDecimals(kind);
    long long steps = 0;
    int digits = 0;
    for (; i < entry.size() && IsDigit(entry[i]); ++i, ++digits) {
        steps = digits < kMostDigits ? steps * 10 + (entry[i] - '0') : steps;
    }
    bool finer = false;
    int fractionDigits = 0;
    if (i < entry.size() && entry[i] == '.') {
        for (++i; i < entry.size() && IsDigit(entry[i]); ++i, ++fractionDigits) {
            if (fractionDigits < decimals) {
                steps = steps * 10 + (entry[i] - '0');
            } else {
                finer = finer || entry[i] != '0';
            }
        }
    }
    if (i != entry.size() || digits + fractionDigits == 0) {
        return EntryRefusal::NotANumber;
    }
    if (digits > kMostDigits) {
        return EntryRefusal::OffRange;
    }
    if (finer) {
        return EntryRefusal::FinerThanStep;
    }
    for (; fractionDigits < decimals; ++fractionDigits) {
        steps *= 10;
    }
    if (kind == BarKind::Cylinder) {
        if (plus && steps != 0) {
            return EntryRefusal::PlusCylinder;
        }
        steps = -steps;  // signed or not, a cylinder is minus
    } else if (minus) {
        steps = -steps;
    }
    const std::optional<ScrollPosition> position = PositionFromSteps(kind, steps);
    if (!position) {
        return EntryRefusal::OffRange;
    }
    return *position;
}

std::string EntryCaption(std::string_view entry)
{
    return std::string(entry) + "_";
}

std::string RefusalCaption(BarKind kind, EntryRefusal refusal)
{
    switch (refusal) {
    case EntryRefusal::NotANumber: return "無効な値";
    case EntryRefusal::OffRange: return "範囲外";
    case EntryRefusal::FinerThanStep:
        // Appended, not "1" + std::string: MinGW's GCC 12 warns of an
        // overlap (-Wrestrict) in the operator+ it inlines.
        return kind == BarKind::Axis ? std::string("1").append(notation::kDegree).append("刻み") : "0.01刻み";
    case EntryRefusal::PlusCylinder: return std::string(notation::kPlus) + "不可";
    }
    return {};
}

}  // namespace power
