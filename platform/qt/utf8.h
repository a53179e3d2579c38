#pragma once

// The rest of the program keeps its text as UTF-8 in std::string_view; Qt
// wants QString. These are the one crossing, each way.

#include <QString>

#include <string>
#include <string_view>

namespace platform {

inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text)
{
    return text.toStdString();
}

}  // namespace platform
