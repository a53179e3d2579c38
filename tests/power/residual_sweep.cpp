// Every pair of readings the scroll bars can produce: 501 cylinder positions
// times 181 axis positions, for both readings, on every core. Takes minutes;
// run it with `make sweep` (`make sweep-windows` for the Windows build under
// Wine). Prints a digest of every caption, equal on two builds only if
// every caption is.
//
//   residual_sweep                 check everything, print the digest
//   residual_sweep --row-digests   the same, and each row's digest
//   residual_sweep --row C         every pair of check cylinder position C
//                                  with its caption, to compare a row

#include "tests/power/grid_sweep.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--row") == 0) {
        power::testing::ForEachInRow(std::stoi(argv[2]), 1, [](const std::string& positions, const std::string& caption) {
            std::printf("%s\t%s\n", positions.c_str(), caption.c_str());
        });
        return 0;
    }
    const bool rowDigests = argc == 2 && std::strcmp(argv[1], "--row-digests") == 0;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    const auto report = power::testing::SweepGrid(1, threads);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("checked %llu pairs of readings on %u threads in %.1f s: %llu faults\n",
                static_cast<unsigned long long>(report.checked), threads, elapsed.count(),
                static_cast<unsigned long long>(report.faults));
    std::printf("caption digest (FNV-1a 64 of every caption, row by row): %016" PRIx64 "\n", report.digest);
    for (std::size_t row = 0; rowDigests && row < report.rowDigests.size(); ++row) {
        std::printf("row %zu: %016" PRIx64 "\n", row, report.rowDigests[row]);
    }
    if (report.faults != 0) {
        std::printf("first fault: %s\n", report.firstFault.c_str());
        return 1;
    }
    return 0;
}
