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

// One slice of the check cylinders: every other position of the grid.
SweepReport SweepSlice(int cylinderStride, int firstCheckCylinder, int checkCylinderStep)
{
    SweepReport report;
    for (int c1 = firstCheckCylinder; c1 <= 500; c1 += checkCylinderStep) {
        for (int a1 = 0; a1 <= 180; ++a1) {
            for (int c2 = 0; c2 <= 500; c2 += cylinderStride) {
                for (int a2 = 0; a2 <= 180; ++a2) {
                    // The spheres only shift the result; vary them a little anyway.
                    const ScrollPositions p{static_cast<ScrollPosition>(1000 + a2 - a1),
                                            static_cast<ScrollPosition>(c1),
                                            static_cast<ScrollPosition>(a1),
                                            static_cast<ScrollPosition>(1000 + c1 - c2),
                                            static_cast<ScrollPosition>(c2),
                                            static_cast<ScrollPosition>(a2)};
                    const LensPower r = ResidualPower(CheckReading(p), MeasuredReading(p));
                    const std::string caption = ResidualCaption(r);
                    ++report.checked;
                    if (const char* fault = Fault(p, r, caption)) {
                        if (report.faults++ == 0) {
                            std::ostringstream out;
                            out << fault << " at positions " << p[0] << ' ' << p[1] << ' ' << p[2]
                                << ' ' << p[3] << ' ' << p[4] << ' ' << p[5] << ": " << caption;
                            report.firstFault = out.str();
                        }
                    }
                }
            }
        }
    }
    return report;
}

}  // namespace

SweepReport SweepGrid(int cylinderStride, unsigned threads)
{
    threads = std::max(1u, threads);
    const int step = cylinderStride * static_cast<int>(threads);
    std::vector<SweepReport> slices(threads);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) {
        workers.emplace_back([&slices, cylinderStride, step, i] {
            slices[i] = SweepSlice(cylinderStride, static_cast<int>(i) * cylinderStride, step);
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
    return total;
}

}  // namespace power::testing
