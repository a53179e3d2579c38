#include "tests/power/grid_sweep.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "tests/power/caption_grammar.h"

#include <algorithm>
#include <atomic>
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

// One row's captions checked and digested.
SweepReport SweepCheckedRow(int c1, int cylinderStride)
{
    SweepReport report;
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
    report.digest = digest;
    return report;
}

}  // namespace

SweepReport SweepGrid(int cylinderStride, unsigned threads, CheckCylinderRange rows, const RowDone& rowDone)
{
    std::vector<int> checkCylinders;
    for (int c1 = std::max(rows.first, 0); c1 <= std::min(rows.last, 500); ++c1) {
        if (c1 % cylinderStride == 0) {
            checkCylinders.push_back(c1);
        }
    }
    // Rows are handed out one at a time, so that threads finish together and
    // a row is reported as soon as it is done.
    std::vector<SweepReport> done(checkCylinders.size());
    std::atomic<std::size_t> next = 0;
    std::mutex telling;
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(1u, threads); ++i) {
        workers.emplace_back([&] {
            for (std::size_t row = next++; row < checkCylinders.size(); row = next++) {
                done[row] = SweepCheckedRow(checkCylinders[row], cylinderStride);
                if (rowDone) {
                    const std::lock_guard lock(telling);
                    rowDone(checkCylinders[row], done[row].digest);
                }
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    SweepReport total;
    total.digest = kFnvOffset;
    for (const SweepReport& row : done) {
        total.checked += row.checked;
        if (total.faults == 0) {
            total.firstFault = row.firstFault;
        }
        total.faults += row.faults;
        total.digest = Fnv1a(total.digest, &row.digest, sizeof row.digest);
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
