#pragma once

// The full-width letters and signs of the power notation, spelled as code
// points so that no look-alike can slip in. Shared by the reading captions
// and the residual power caption.

#include <string_view>

namespace power::notation {

inline constexpr std::string_view kPlus = "\uFF0B";     // ＋ FULLWIDTH PLUS SIGN
inline constexpr std::string_view kDioptre = "\uFF24";  // Ｄ
inline constexpr std::string_view kSphere = "\uFF33";   // Ｓ
inline constexpr std::string_view kCylinder = "\uFF23";  // Ｃ
inline constexpr std::string_view kAxis = "\uFF21";      // Ａ
inline constexpr std::string_view kDegree = "\u00B0";   // °

}  // namespace power::notation
