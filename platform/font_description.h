#pragma once

// A font as the window's design names it: a Japanese Windows face, a size
// and a style. Plain data, so that layout tables need no Qt; turning it into
// a font that exists here is platform/qt/fonts.h's business.

#include <string_view>

namespace platform {

struct FontDescription final {
    std::string_view family;  // as the window names it, UTF-8
    double points;
    bool bold = false;
    bool italic = false;
};

}  // namespace platform
