#include "platform/qt/colour_scheme.h"

#include <QApplication>

namespace platform {

// Fusion draws from the palette alone, so with a fixed palette the window
// looks the same under every desktop theme (Fusion itself turns dark when
// the desktop's theme is dark).
void UseDesignedLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(DesignedPalette());
}

// The application keeps DesignedPalette() under every desktop theme here,
// dark ones included.
ColourScheme ScreenScheme()
{
    return ColourScheme::Designed;
}

}  // namespace platform
