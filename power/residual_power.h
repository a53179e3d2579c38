#pragma once

// The residual power of a lens: check reading minus measured reading as one
// sphero-cylinder in minus-cylinder form, its axis a whole degree. Knows
// nothing of scroll bars or text; the caption is built elsewhere.

#include "power/lens_reading.h"

namespace power {

// Readings with no cylinder, equal axes or perpendicular axes are combined
// directly; any other pair by the obliquely crossed cylinders formula, with
// pi taken as 3.1416. The result is not rounded. Its axis lies in 1..180,
// and is absent only when neither reading has a cylinder.
//
// The window's readings never make a divisor of the crossed-cylinders formula
// zero. Other readings may: when the cylinders cancel exactly the residual
// cylinder is 0, and when the sine of the doubled angle is 0 the combined
// cylinder lies along the doubled angle 0, so it is the cosine sum itself.
// Readings whose arithmetic is not finite give a sphere and cylinder that
// are not a number and no axis.
LensPower ResidualPower(const LensPower& check, const LensPower& measured);

}  // namespace power
