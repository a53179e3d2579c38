#pragma once

// The rest of the program keeps its text as UTF-8 in std::string_view; Qt
// wants QString. This is the one crossing.

#include <QString>

#include <string_view>

namespace platform {

inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform
