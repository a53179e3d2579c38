// Every pair of readings the scroll bars can produce: 501 cylinder positions
// times 181 axis positions, for both readings, on every core. Takes minutes;
// run it with `make sweep`.

#include "tests/power/grid_sweep.h"

#include <chrono>
#include <cstdio>
#include <thread>

int main()
{
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    const auto report = power::testing::SweepGrid(1, threads);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("checked %llu pairs of readings on %u threads in %.1f s: %llu faults\n",
                static_cast<unsigned long long>(report.checked), threads, elapsed.count(),
                static_cast<unsigned long long>(report.faults));
    if (report.faults != 0) {
        std::printf("first fault: %s\n", report.firstFault.c_str());
        return 1;
    }
    return 0;
}
