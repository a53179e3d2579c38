#pragma once

// The colours the window is shown in. A window gives each control its
// designed colours (the blue and magenta captions, the light yellow and
// light orange faces) through SetDesignedColours; whether the screen shows
// them is decided here: where the user has asked Windows for high contrast,
// every control takes the system's colours instead. The designed colours
// stay with the controls either way, so a printout, which always shows the
// designed light window, can put them back for as long as a DesignedLook
// lives. Which colours a control is designed in is the caller's business.

#include <QColor>
#include <QPalette>

#include <optional>

class QWidget;

namespace platform {

enum class ColourScheme {
    Designed,  // the designed colours on the application's palette
    System,    // the system's colours throughout: text, faces, backgrounds
};

// System under a Windows high-contrast theme, and wherever Windows' own
// dialog face is dark (the designed blue caption is 2.4 : 1 against black);
// Designed everywhere else, including every other system.
ColourScheme ScreenScheme();

// The light grey form the window was designed on, with Qt Fusion's light
// shading: the application's palette on Linux, and a printout's anywhere.
QPalette DesignedPalette();

// The application's style and palette, set once at start-up. Fusion on
// DesignedPalette() except on Windows, which keeps its native style and
// system colours (Qt 6.4 does not darken them).
void UseDesignedLook();

// Records a control's designed text colour (its foreground role: a label's
// WindowText, a button's ButtonText) and face (its background role: a
// label's Window, a button's Button), and shows them unless the window the
// control sits in is shown in the system's colours. These are the only
// colours of its own a control has: shown in the system's, it has none.
void SetDesignedColours(QWidget& control, std::optional<QColor> text, std::optional<QColor> face);

// Shows `window`'s controls in their designed colours or in the window's
// palette alone.
void ShowScheme(QWidget& window, ColourScheme scheme);

// Shows `window` in ScreenScheme() now and again whenever the system's
// colours change (a high-contrast theme switched on or off while it runs).
void FollowScreenScheme(QWidget& window);

// While it lives, `window` and its controls show the designed light look,
// DesignedPalette() and every designed colour, whatever the screen shows;
// afterwards the scheme shown before. For taking a picture to print: the
// changes are undone before the screen is next painted. `window` must not
// have a palette of its own.
class DesignedLook final {
public:
    explicit DesignedLook(QWidget& window);
    ~DesignedLook();
    Q_DISABLE_COPY_MOVE(DesignedLook)

private:
    QWidget& m_window;
    ColourScheme m_shown;
};

}  // namespace platform
