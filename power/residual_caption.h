#pragma once

// The one-line text of a residual power, e.g. "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°":
// sphere part, cylinder part, axis part, each already rounded for display.
// It neither computes nor rounds the power itself.

#include "power/lens_reading.h"

#include <string>

namespace power {

// Zero tests are exact on the unrounded values: a sphere of 0.001 reads
// "Ｓ＋0.00Ｄ", and only an exact zero cylinder drops the cylinder and axis
// parts ("Ｓ 0.00Ｄ"). An absent axis reads as 180. A sphere that is not a
// finite number leaves the sphere part empty; a cylinder that is not finite
// leaves the cylinder and axis parts empty, so the text never shows "nan".
std::string ResidualCaption(const LensPower& residual);

}  // namespace power
