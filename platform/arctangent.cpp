#include "platform/arctangent.h"

#include <cmath>

namespace platform {

// Chosen by the compiler, not the system: what the x87 arctangent needs is
// MinGW-w64's long double, whose atan is built into the program.
#if defined(__MINGW32__)
double Arctangent(double value)
{
    return static_cast<double>(std::atan(static_cast<long double>(value)));
}
#elif defined(_WIN32)
#error "Windows builds need MinGW-w64: another compiler would take the arctangent from msvcrt.dll"
#else
double Arctangent(double value)
{
    return std::atan(value);
}
#endif

}  // namespace platform
