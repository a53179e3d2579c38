#include "tests/power/grid_sweep.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ResidualGrid, EveryAxisPairOnTheQuarterDioptreCylinderGrid)
{
    const auto report = power::testing::SweepGrid(25, std::thread::hardware_concurrency());
    EXPECT_EQ(report.checked, 21ull * 181 * 21 * 181);
    EXPECT_EQ(report.faults, 0u) << report.firstFault;
    EXPECT_EQ(report.digest, power::testing::kQuarterDioptreGridDigest) << std::hex << report.digest;
}

}  // namespace
