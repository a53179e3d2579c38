#include "tests/power/caption_grammar.h"

namespace power::testing {

namespace {

bool Consume(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

bool ConsumeDigits(std::string_view& text, std::string_view::size_type& count)
{
    count = 0;
    while (count < text.size() && text[count] >= '0' && text[count] <= '9') {
        ++count;
    }
    text.remove_prefix(count);
    return count > 0;
}

// n.nn: at least one integer digit, no superfluous leading zero, two decimals.
bool ConsumeHundredths(std::string_view& text)
{
    const std::string_view start = text;
    std::string_view::size_type digits = 0;
    if (!ConsumeDigits(text, digits) || (digits > 1 && start.front() == '0')) {
        return false;
    }
    return Consume(text, ".") && ConsumeDigits(text, digits) && digits == 2;
}

bool ConsumeAxis(std::string_view& text)
{
    const std::string_view start = text;
    std::string_view::size_type digits = 0;
    if (!ConsumeDigits(text, digits) || digits > 3 || start.front() == '0') {
        return false;
    }
    int axis = 0;
    for (std::string_view::size_type i = 0; i < digits; ++i) {
        axis = axis * 10 + (start[i] - '0');
    }
    return axis >= 1 && axis <= 180 && Consume(text, "\u00B0");
}

}  // namespace

bool IsWellFormedCylinderTail(std::string_view tail)
{
    if (tail.empty()) {
        return true;
    }
    return Consume(tail, " \uFF23-") && ConsumeHundredths(tail) && Consume(tail, "\uFF24")
           && Consume(tail, " \uFF21") && ConsumeAxis(tail) && tail.empty();
}

bool IsWellFormedCaption(std::string_view caption)
{
    if (Consume(caption, "\uFF33 0.00\uFF24")) {
        return IsWellFormedCylinderTail(caption);
    }
    if (!Consume(caption, "\uFF33")) {
        return false;
    }
    if (!Consume(caption, "\uFF0B")) {
        if (!Consume(caption, "-")) {
            return false;
        }
    }
    return ConsumeHundredths(caption) && Consume(caption, "\uFF24")
           && IsWellFormedCylinderTail(caption);
}

}  // namespace power::testing
