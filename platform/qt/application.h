#pragma once

// Starts the Qt application the window lives in, and makes all of the
// application-wide settings in one place: the window keeps its designed
// light look under any theme (its blue and magenta captions assume a light
// background; only a Windows high-contrast theme, which the window follows
// through colour_scheme.h, changes that), the faces it names find their
// stand-ins (InsertFontSubstitutes), the accessibility factories of the
// announcer (announcer.h) and of the caller's own controls are installed,
// and what Qt itself tells a screen reader a control does ("Press") is
// said in Japanese or not at all. Where no window can open at all the
// program says why in one line (its words: platform/no_window.h) and exits
// with status 1, instead of Qt's abort. Building the window is the
// caller's business.

#include <QAccessible>
#include <QApplication>

#include <initializer_list>
#include <memory>

namespace platform {

// Never returns null: without a display it does not return at all.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv,
                                               std::initializer_list<QAccessible::InterfaceFactory> accessibility = {});

}  // namespace platform
