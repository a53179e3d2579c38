#pragma once

// Walks every pair of readings the scroll bars can make on a grid of
// cylinder positions (every axis position, both readings) and checks each
// residual power and its caption: finite, cylinder never positive, axis in
// 1..180 (absent only without cylinders), caption well formed.

#include <cstdint>
#include <string>

namespace power::testing {

struct SweepReport final {
    std::uint64_t checked = 0;
    std::uint64_t faults = 0;
    std::string firstFault;  // the positions and what was wrong, if any
};

// cylinderStride 1 is every position 0..500; 25 is the 0.25 D grid.
SweepReport SweepGrid(int cylinderStride, unsigned threads);

}  // namespace power::testing
