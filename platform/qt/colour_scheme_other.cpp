#include "platform/qt/colour_scheme.h"

namespace platform {

// The application keeps DesignedPalette() under every desktop theme here,
// dark ones included.
ColourScheme ScreenScheme()
{
    return ColourScheme::Designed;
}

}  // namespace platform
