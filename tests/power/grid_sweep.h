#pragma once

// Walks every pair of readings the scroll bars can make on a grid of
// cylinder positions (every axis position, both readings) and checks each
// residual power and its caption: finite, cylinder never positive, axis in
// 1..180 (absent only without cylinders), caption well formed. A digest of
// every caption, in a fixed order whatever the number of threads, lets two
// builds (Linux and Windows) be compared caption for caption.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace power::testing {

struct SweepReport final {
    std::uint64_t checked = 0;
    std::uint64_t faults = 0;
    std::string firstFault;  // the positions and what was wrong, if any
    std::uint64_t digest = 0;  // FNV-1a 64 of each row's captions; of the rows' digests, in order
};

// The check cylinder positions to sweep, both ends included. A long sweep
// can be split into ranges; the digest of the whole is that of its rows.
struct CheckCylinderRange final {
    int first = 0;
    int last = 500;
};

// Told of each row as soon as it is done, one call at a time, in the order
// the rows finish.
using RowDone = std::function<void(int checkCylinder, std::uint64_t digest)>;

// The caption digests the program's arithmetic and captions give: a change
// in any caption of the sweep changes them. The whole sweep's is the one
// published with the figures (`make sweep`, Linux and Windows alike).
inline constexpr std::uint64_t kQuarterDioptreGridDigest = 0x31fffa412b40261c;
inline constexpr std::uint64_t kFullSweepDigest = 0x2d3c16935a2bd6f7;

// cylinderStride 1 is every position 0..500; 25 is the 0.25 D grid.
SweepReport SweepGrid(int cylinderStride, unsigned threads, CheckCylinderRange rows = {},
                      const RowDone& rowDone = {});

// Every pair of one row (one check cylinder position) in sweep order, with
// its positions and caption, for comparing a row whose digests differ.
void ForEachInRow(int checkCylinder, int cylinderStride,
                  const std::function<void(const std::string& positions, const std::string& caption)>& visit);

}  // namespace power::testing
