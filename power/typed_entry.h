#pragma once

// A value typed on a focused bar: the keys that make up such an entry, the
// position an entry stands for on a bar of a given kind or why it stands
// for none, and how the value label shows either. Pure text and
// arithmetic: keeping the entry while it is typed and moving the bar are
// the form's business.

#include "power/lens_reading.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace power {

// The typed text one key adds to an entry, or nothing for a key that is not
// part of one. Digits, "+", "-" and "." count whether they come half-width,
// full-width ("３", "－", "．") or as a Japanese input method writes the
// minus and the point ("ー", "。"): "３" -> '3'. A comma is the point too
// (",", "，", or "、" with an input method on): it is the key beside the
// point, and a value here is never written with a thousands separator, so
// "0,5" is 0.5 and never 5.
std::optional<char> EntryCharacter(std::string_view keyText);  // UTF-8

enum class EntryRefusal {
    NotANumber,     // "-", "3.2.1", "+-3"
    OffRange,       // "25" on a sphere bar, "-5" on an axis bar
    FinerThanStep,  // "-3.333" on a sphere bar, "90.5" on an axis bar
    PlusCylinder,   // "+1.5" on a cylinder bar, which holds minus cylinders only
};

// The entry as the keys above typed it, with a sign, a point or both:
// "3", "3.", ".25", "-0.5", "+1". An unsigned sphere is plus, an unsigned
// cylinder minus; trailing zeros past the step are no finer ("-3.250").
//   Sphere "-3.25" -> 1325, Cylinder "1.5" -> 150, Axis "0" -> 180
std::variant<ScrollPosition, EntryRefusal> PositionFromEntry(BarKind kind, std::string_view entry);

// What the value label shows while an entry is typed: "-3.2" -> "-3.2_".
std::string EntryCaption(std::string_view entry);
// What it shows for a moment when an entry is refused, in a few characters
// that fit the label.
std::string RefusalCaption(BarKind kind, EntryRefusal refusal);

}  // namespace power
