#pragma once

// A strict reader of the residual power caption, for tests that check
// millions of captions: it accepts exactly
//   Ｓ＋n.nnＤ | Ｓ 0.00Ｄ | Ｓ-n.nnＤ, then optionally Ｃ-n.nnＤ Ａd°
// with the axis d in 1..180 written without leading zeros.

#include <string_view>

namespace power::testing {

bool IsWellFormedCaption(std::string_view caption);

// The tail that follows an empty sphere part (" Ｃ-n.nnＤ Ａd°"), or nothing.
bool IsWellFormedCylinderTail(std::string_view tail);

}  // namespace power::testing
