#pragma once

// Where the window goes on a sheet of paper: the paper as the printer feeds
// it, its unprintable margins and the way the page is turned on it, in; the
// page's size and the window's place and scale on that page, out. Which
// paper and margins a printer has is the print system's business; drawing
// is the caller's.

namespace platform {

// Millimetres on each edge that the printer cannot print on.
struct Margins final {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A sheet as the printer feeds it: width across the feed, length along it.
struct Paper final {
    double width = 0;   // millimetres
    double length = 0;  // millimetres
    Margins margins;
    bool landscape = false;  // the page turned a quarter anticlockwise on the sheet
};

struct PagePlacement final {
    double pageWidth = 0;  // millimetres, as the page is drawn (turned if landscape)
    double pageHeight = 0;
    double left = 0;  // the window's top-left corner on that page, millimetres
    double top = 0;
    double scale = 0;  // 1 is the window's designed size; never more
};

// The window drawn at the top left of the printable area, at its designed
// size where that fits and shrunk to fit otherwise, its proportions kept.
// Every margin is at least kLeastMargin, so the window's frame never meets
// a paper edge even on a printer that claims it can print to the edge.
// A paper with no printable area gives scale 0: nothing to draw.
// An A4 sheet with 3 mm margins: the window at (6.35, 6.35), 167.2 x 108.0 mm.
PagePlacement PlaceWindow(const Paper& paper, double windowWidth, double windowHeight);

inline constexpr double kLeastMargin = 6.35;  // a quarter inch

}  // namespace platform
