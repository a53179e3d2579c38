#include "platform/qt/colour_scheme.h"

#include <windows.h>

namespace platform {

// Windows' own style and colours stay: a high-contrast theme is followed by
// the window itself (FollowScreenScheme).
void UseDesignedLook()
{
}

ColourScheme ScreenScheme()
{
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, highContrast.cbSize, &highContrast, 0) != FALSE
        && (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return ColourScheme::System;
    }
    // A dark scheme set by hand, or Wine's high-contrast colours: Wine never
    // reports high contrast itself. The dialog face is the window's.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const QColor faceColour(GetRValue(face), GetGValue(face), GetBValue(face));
    return faceColour.lightness() < 128 ? ColourScheme::System : ColourScheme::Designed;
}

}  // namespace platform
