#pragma once

// The name a print's job carries in the print queue the desktop shows: the
// window's title, the moment of the press to the millisecond and which
// press of this run it was, so that no other print has it, and a person
// reading the queue sees which print is which. Reading the clock is the
// caller's business.

#include <string>
#include <string_view>

namespace platform {

// "Form1", "2026-12-10 14:05:09.123", "3" -> "Form1 2026-12-10 14:05:09.123 #3"
inline std::string JobName(std::string_view document, std::string_view pressedAt, std::string_view press)
{
    return std::string(document).append(" ").append(pressedAt).append(" #").append(press);
}

}  // namespace platform
