#include "power/residual_caption.h"

#include "power/notation.h"

#include <cmath>

namespace power {

namespace {

// "Ｓ＋0.25Ｄ", "Ｓ 0.00Ｄ" (a space where the sign would stand), "Ｓ-1.50Ｄ".
void AppendSpherePart(std::string& caption, double sphere)
{
    if (!std::isfinite(sphere)) {
        return;
    }
    caption += notation::kSphere;
    if (sphere == 0.0) {
        caption += ' ';
    }
    caption += DioptreCaption(sphere);
}

// " Ｃ-0.87Ｄ Ａ15°"; nothing at all without a cylinder. An absent axis is
// axis 0.
void AppendCylinderAndAxisParts(std::string& caption, double cylinder,
                                std::optional<std::int16_t> axis)
{
    if (cylinder == 0.0 || !std::isfinite(cylinder)) {
        return;
    }
    caption += ' ';
    caption += notation::kCylinder;
    caption += DioptreCaption(cylinder);

    const int degrees = axis.value_or(0);
    if (degrees < 0) {
        return;
    }
    caption += ' ';
    caption += notation::kAxis;
    caption += AxisCaption(degrees);
}

}  // namespace

std::string ResidualCaption(const LensPower& residual)
{
    std::string caption;
    caption.reserve(48);  // the longest caption of the window's range fits
    AppendSpherePart(caption, residual.sphere);
    AppendCylinderAndAxisParts(caption, residual.cylinder, residual.axis);
    return caption;
}

}  // namespace power
