#include "platform/printing/page_layout.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// A page turned a quarter anticlockwise has its top along the sheet's left
// edge and its left along the sheet's bottom edge.
Margins OnPage(const Paper& paper)
{
    const Margins& m = paper.margins;
    return paper.landscape ? Margins{m.bottom, m.left, m.top, m.right} : m;
}

}  // namespace

PagePlacement PlaceWindow(const Paper& paper, double windowWidth, double windowHeight)
{
    PagePlacement placement;
    placement.pageWidth = paper.landscape ? paper.length : paper.width;
    placement.pageHeight = paper.landscape ? paper.width : paper.length;
    const Margins margins = OnPage(paper);
    placement.left = std::max(margins.left, kLeastMargin);
    placement.top = std::max(margins.top, kLeastMargin);
    const double across = placement.pageWidth - placement.left - std::max(margins.right, kLeastMargin);
    const double down = placement.pageHeight - placement.top - std::max(margins.bottom, kLeastMargin);
    if (!(across > 0 && down > 0 && windowWidth > 0 && windowHeight > 0)) {
        return placement;
    }
    placement.scale = std::min({1.0, across / windowWidth, down / windowHeight});
    return placement;
}

}  // namespace platform
