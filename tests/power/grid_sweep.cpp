#include "tests/power/grid_sweep.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "tests/power/caption_grammar.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace power::testing {

namespace {

const char* Fault(const ScrollPositions& p, const LensPower& r, const std::string& caption)
{
    if (!std::isfinite(r.sphere) || !std::isfinite(r.cylinder)) {
        return "not finite";
    }
    if (r.cylinder > 0.0) {
        return "positive cylinder";
    }
    const bool noCylinders = p[1] == 0 && p[4] == 0;
    if (noCylinders != !r.axis.has_value()) {
        return "axis present or absent wrongly";
    }
    if (r.axis && (*r.axis < 1 || *r.axis > 180)) {
        return "axis out of 1..180";
    }
    if (!IsWellFormedCaption(caption)) {
        return "malformed caption";
    }
    return nullptr;
}

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t Fnv1a(std::uint64_t hash, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * kFnvPrime;
    }
    return hash;
}

// One row: one check cylinder position, every other pair in a fixed order.
template <typename Visit>
void SweepRow(int c1, int cylinderStride, Visit&& visit)
{
    for (int a1 = 0; a1 <= 180; ++a1) {
        for (int c2 = 0; c2 <= 500; c2 += cylinderStride) {
            for (int a2 = 0; a2 <= 180; ++a2) {
                // The spheres only shift the result; vary them a little anyway.
                const ScrollPositions p{static_cast<ScrollPosition>(1000 + a2 - a1), static_cast<ScrollPosition>(c1),
                                        static_cast<ScrollPosition>(a1), static_cast<ScrollPosition>(1000 + c1 - c2),
                                        static_cast<ScrollPosition>(c2), static_cast<ScrollPosition>(a2)};
                visit(p, ResidualPower(CheckReading(p), MeasuredReading(p)));
            }
        }
    }
}

std::string Positions(const ScrollPositions& p)
{
    std::ostringstream out;
    out << p[0] << ' ' << p[1] << ' ' << p[2] << ' ' << p[3] << ' ' << p[4] << ' ' << p[5];
    return out.str();
}

// One slice of the check cylinders: every other row of the grid, each
// row's digest in its place in `rowDigests`.
SweepReport SweepSlice(int cylinderStride, int firstCheckCylinder, int checkCylinderStep,
                       std::vector<std::uint64_t>& rowDigests)
{
    SweepReport report;
    for (int c1 = firstCheckCylinder; c1 <= 500; c1 += checkCylinderStep) {
        std::uint64_t digest = kFnvOffset;
        SweepRow(c1, cylinderStride, [&](const ScrollPositions& p, const LensPower& r) {
            const std::string caption = ResidualCaption(r);
            digest = Fnv1a(digest, caption.c_str(), caption.size() + 1);  // with its terminator
            ++report.checked;
            if (const char* fault = Fault(p, r, caption)) {
                if (report.faults++ == 0) {
                    report.firstFault = std::string(fault) + " at positions " + Positions(p) + ": " + caption;
                }
            }
        });
        rowDigests[static_cast<std::size_t>(c1)] = digest;
    }
    return report;
}

}  // namespace

SweepReport SweepGrid(int cylinderStride, unsigned threads)
{
    threads = std::max(1u, threads);
    const int step = cylinderStride * static_cast<int>(threads);
    std::vector<SweepReport> slices(threads);
    std::vector<std::uint64_t> rowDigests(501);  // by check cylinder position
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) {
        workers.emplace_back([&slices, &rowDigests, cylinderStride, step, i] {
            slices[i] = SweepSlice(cylinderStride, static_cast<int>(i) * cylinderStride, step, rowDigests);
        });
    }
    SweepReport total;
    for (unsigned i = 0; i < threads; ++i) {
        workers[i].join();
        total.checked += slices[i].checked;
        if (total.faults == 0) {
            total.firstFault = slices[i].firstFault;
        }
        total.faults += slices[i].faults;
    }
    total.digest = kFnvOffset;
    for (int c1 = 0; c1 <= 500; c1 += cylinderStride) {
        const std::uint64_t row = rowDigests[static_cast<std::size_t>(c1)];
        total.rowDigests.push_back(row);
        total.digest = Fnv1a(total.digest, &row, sizeof row);
    }
    return total;
}

void ForEachInRow(int checkCylinder, int cylinderStride,
                  const std::function<void(const std::string& positions, const std::string& caption)>& visit)
{
    SweepRow(checkCylinder, cylinderStride, [&visit](const ScrollPositions& p, const LensPower& r) {
        visit(Positions(p), ResidualCaption(r));
    });
}

}  // namespace power::testing
