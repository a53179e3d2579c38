// Writes the layout table as text for the scripts that drive or check the
// window from outside (tests/e2e, scripts/, bench/), so that none of them
// reads C++ for a control's box. Run by the build; its one argument is the
// file to write. One line a fact, fields separated by spaces, boxes in twips:
//   twips-per-pixel 15
//   window 9480 6120
//   control Command1 PushButton 6960 3960 1335 855

#include "window/qt/form1_layout.h"

#include <cstdio>
#include <fstream>
#include <string_view>

namespace {

using window::qt::ControlKind;

std::string_view KindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return "Label";
    case ControlKind::ScrollBar: return "ScrollBar";
    case ControlKind::PushButton: return "PushButton";
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[])
{
    using window::qt::kClientHeightTwips;
    using window::qt::kClientWidthTwips;
    using window::qt::kTwipsPerPixel;
    if (argc != 2) {
        static_cast<void>(std::fprintf(stderr, "usage: describe_layout FILE\n"));
        return 2;
    }
    // Binary: the same line ends when the build runs on Windows.
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << "twips-per-pixel " << kTwipsPerPixel << '\n';
    file << "window " << kClientWidthTwips << ' ' << kClientHeightTwips << '\n';
    for (const window::qt::ControlDescription& control : window::qt::kForm1Controls) {
        const window::qt::TwipsRect& box = control.geometry;
        file << "control " << control.name << ' ' << KindName(control.kind) << ' ' << box.left << ' ' << box.top
             << ' ' << box.width << ' ' << box.height << '\n';
    }
    file.close();
    if (!file) {
        static_cast<void>(std::fprintf(stderr, "describe_layout: cannot write %s\n", argv[1]));
        return 1;
    }
    return 0;
}
