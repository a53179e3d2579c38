#pragma once

// The arctangent the residual power's axis is computed with. On Windows the
// C runtime's atan is not part of the program: it is msvcrt.dll's, which
// changes with the Windows version (and under Wine is Wine's own), so a
// check under Wine would not vouch for the optician's PC. There the x87
// arctangent, which MinGW builds into the program, is used and rounded to
// double: what is checked under Wine is then what runs on the optician's
// PC. Elsewhere it is the C library's atan. Windows is built with
// MinGW-w64 only; another Windows compiler stops the build. Sine and cosine need nothing of
// the kind: MinGW builds its own into the program.

namespace platform {

double Arctangent(double value);

}  // namespace platform
