#pragma once

// The window's six scroll bars as the form was designed: for each bar the
// label that shows its value, its steps and its position at start. What a
// bar means (row and kind, and so its range) is power::kBarMeanings, in
// the same order; what its label shows is power::ValueCaption. The form's
// behaviour, the Qt layout and the tests all read this table.

#include "power/lens_reading.h"
#include "window/form_controls.h"

#include <array>

namespace window {

struct BarDesign final {
    ScrollBar bar;
    Label valueLabel;
    power::ScrollPosition smallChange;  // arrow
    power::ScrollPosition largeChange;  // trough
    power::ScrollPosition designedPosition;
};

// In the order of the bars, HScroll1 to HScroll6, as ScrollPositions is:
// Calculate reads the bars into their readings by it.
inline constexpr std::array<BarDesign, power::kBarMeanings.size()> kBarDesigns{{
    {ScrollBar::HScroll1, Label::Label7, 1, 25, 1000},
    {ScrollBar::HScroll2, Label::Label8, 1, 25, 0},
    {ScrollBar::HScroll3, Label::Label9, 1, 15, 90},
    {ScrollBar::HScroll4, Label::Label10, 1, 25, 1000},
    {ScrollBar::HScroll5, Label::Label11, 1, 25, 0},
    {ScrollBar::HScroll6, Label::Label12, 1, 15, 90},
}};

constexpr bool DesignsInBarOrder()
{
    for (std::size_t i = 0; i < kBarDesigns.size(); ++i) {
        if (Index(kBarDesigns[i].bar) != i) {
            return false;
        }
    }
    return true;
}
static_assert(DesignsInBarOrder(), "DesignOf and MeaningOf look bars up by position in the tables");

constexpr const BarDesign& DesignOf(ScrollBar bar)
{
    return kBarDesigns[Index(bar)];
}

constexpr power::BarMeaning MeaningOf(ScrollBar bar)
{
    return power::kBarMeanings[Index(bar)];
}

}  // namespace window
