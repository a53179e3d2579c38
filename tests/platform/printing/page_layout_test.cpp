#include "platform/printing/page_layout.h"

#include <gtest/gtest.h>

namespace {

// The window's designed size, in millimetres at 96 of its pixels to the inch.
constexpr double kWindowWidth = 167.2167;
constexpr double kWindowHeight = 107.95;

TEST(PlaceWindow, DesignedSizeWhereItFitsShrunkWholeWhereNot)
{
    const struct {
        const char* paper;
        platform::Paper sheet;
        double pageWidth, pageHeight, left, top, scale;
    } rows[] = {
        {"A4, printable to the edge", {210, 297, {}, false}, 210, 297, 6.35, 6.35, 1},
        {"A4, 4.23 mm margins", {210, 297, {4.23, 4.23, 4.23, 4.23}, false}, 210, 297, 6.35, 6.35, 1},
        {"A4, wide margins", {210, 297, {10, 12, 14, 16}, false}, 210, 297, 10, 12, 1},
        // turned: the page's top is the sheet's left edge, its left the sheet's bottom
        {"A4 landscape", {210, 297, {8, 10, 12, 14}, true}, 297, 210, 14, 8, 1},
        {"JIS B5", {182, 257, {}, false}, 182, 257, 6.35, 6.35, 1},
        {"US Letter", {215.9, 279.4, {}, false}, 215.9, 279.4, 6.35, 6.35, 1},
        {"A5 landscape", {148, 210, {}, true}, 210, 148, 6.35, 6.35, 1},
        // (148 - 2 x 6.35) / 167.2167
        {"A5", {148, 210, {}, false}, 148, 210, 6.35, 6.35, 0.80913},
        {"hagaki", {100, 148, {}, false}, 100, 148, 6.35, 6.35, 0.52208},
        {"62 mm label roll", {62, 100, {1.5, 1.5, 1.5, 1.5}, false}, 62, 100, 6.35, 6.35, 0.29483},
        // here the height decides: (29 - 12.7) / 107.95
        {"62 x 29 mm label", {62, 29, {}, false}, 62, 29, 6.35, 6.35, 0.15100},
        {"no printable area", {12, 12, {}, false}, 12, 12, 6.35, 6.35, 0},
        {"no paper at all", {0, 0, {}, false}, 0, 0, 6.35, 6.35, 0},
    };
    for (const auto& row : rows) {
        const platform::PagePlacement placed = platform::PlaceWindow(row.sheet, kWindowWidth, kWindowHeight);
        EXPECT_NEAR(placed.pageWidth, row.pageWidth, 1e-9) << row.paper;
        EXPECT_NEAR(placed.pageHeight, row.pageHeight, 1e-9) << row.paper;
        EXPECT_NEAR(placed.left, row.left, 1e-9) << row.paper;
        EXPECT_NEAR(placed.top, row.top, 1e-9) << row.paper;
        EXPECT_NEAR(placed.scale, row.scale, 1e-5) << row.paper;
        if (placed.scale == 0) {
            continue;
        }
        // never past the far margins
        EXPECT_LE(placed.left + placed.scale * kWindowWidth, placed.pageWidth - platform::kLeastMargin + 1e-9)
            << row.paper;
        EXPECT_LE(placed.top + placed.scale * kWindowHeight, placed.pageHeight - platform::kLeastMargin + 1e-9)
            << row.paper;
    }
}

}  // namespace
