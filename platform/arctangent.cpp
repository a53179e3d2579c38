#include "platform/arctangent.h"

#include <cmath>

namespace platform {

double Arctangent(double value)
{
#ifdef _WIN32
    return static_cast<double>(std::atan(static_cast<long double>(value)));
#else
    return std::atan(value);
#endif
}

}  // namespace platform
