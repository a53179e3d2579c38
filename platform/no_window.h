#pragma once

// What the program says where no window can open: one line on standard
// error, kNoWindowPrefix and the text for the case, then it exits. Only the
// words: telling which case it is, and filling in "%1" (the display's name,
// or what the window system said), is start-up's (platform/qt/application.h).

#include <string_view>

namespace platform {

inline constexpr std::string_view kNoWindowPrefix = "pelmaro: ";

enum class NoWindow {
    WaylandPluginMissing,  // the Wayland display is set, Qt's plugin for it is not installed
    NoDisplay,             // neither DISPLAY nor WAYLAND_DISPLAY is set
    WaylandUnreachable,    // %1: WAYLAND_DISPLAY
    XUnreachable,          // %1: DISPLAY
    Other,                 // %1: what Qt said
};

constexpr std::string_view NoWindowText(NoWindow why)
{
    switch (why) {
    case NoWindow::WaylandPluginMissing: return "Qt's Wayland plugin is missing; install the package qt6-wayland";
    case NoWindow::NoDisplay:
        return "no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
               "start it from a desktop session";
    case NoWindow::WaylandUnreachable:
        return "cannot connect to the Wayland display \"%1\"; start it from a desktop session";
    case NoWindow::XUnreachable:
        return "cannot connect to the X display \"%1\"; start it from a desktop session "
               "or set DISPLAY to a running one";
    case NoWindow::Other: return "no window system could be reached (%1)";
    }
    return {};
}

}  // namespace platform
