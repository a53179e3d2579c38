#pragma once

// The designed state of the window's scroll bars and value labels: which
// value each bar feeds (its kind gives its range), its steps, its position
// at start and the caption that position shows. Both the form's behaviour and the Qt layout
// read it, so the two cannot disagree.

#include "window/form_controls.h"

#include <array>
#include <string>
#include <string_view>

namespace window {

using power::BarKind;

struct BarDesign final {
    ScrollBar bar;
    BarKind kind;
    Label valueLabel;
    power::ScrollPosition smallChange;  // arrow
    power::ScrollPosition largeChange;  // trough
    power::ScrollPosition designedPosition;
    std::string_view designedCaption;  // what the designed position shows
};

// In the order of the bars, HScroll1 to HScroll6; Reset relies on it.
inline constexpr std::array<BarDesign, 6> kBarDesigns{{
    {ScrollBar::HScroll1, BarKind::Sphere, Label::Label7, 1, 25, 1000, "0.00\uFF24"},
    {ScrollBar::HScroll2, BarKind::Cylinder, Label::Label8, 1, 25, 0, "0.00\uFF24"},
    {ScrollBar::HScroll3, BarKind::Axis, Label::Label9, 1, 15, 90, "90\u00B0"},
    {ScrollBar::HScroll4, BarKind::Sphere, Label::Label10, 1, 25, 1000, "0.00\uFF24"},
    {ScrollBar::HScroll5, BarKind::Cylinder, Label::Label11, 1, 25, 0, "0.00\uFF24"},
    {ScrollBar::HScroll6, BarKind::Axis, Label::Label12, 1, 15, 90, "90\u00B0"},
}};

inline constexpr const BarDesign& DesignOf(ScrollBar bar)
{
    return kBarDesigns[Index(bar)];
}

// The caption a bar's value label shows for a position: 975 on a sphere bar
// -> "＋0.25Ｄ", 45 on an axis bar -> "135°".
std::string ValueCaption(BarKind kind, power::ScrollPosition position);

}  // namespace window
