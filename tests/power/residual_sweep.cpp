// Every pair of readings the scroll bars can produce: 501 cylinder positions
// times 181 axis positions, for both readings, on every core. Takes minutes
// (an hour or more under Wine); run it with `make sweep` (`make
// sweep-windows` for the Windows build). Prints a digest of every caption,
// equal on two builds only if every caption is, and fails if the whole
// sweep's differs from the published one.
//
//   residual_sweep                   check everything, print the digest
//   residual_sweep --row-digests     the same, and each row's digest as soon
//                                    as it is done (rows finish out of order)
//   residual_sweep --rows F L [--row-digests]
//                                    only check cylinder positions F..L, to
//                                    split a long run; the digest is that
//                                    of those rows
//   residual_sweep --threads N ...   N threads, not one per core (under Wine
//                                    they queue for one heap lock: run one
//                                    process per core with --threads 1)
//   residual_sweep --row C           every pair of check cylinder position C
//                                    with its caption, to compare a row

#include "tests/power/grid_sweep.h"

#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// A whole number in least..most, or nothing.
std::optional<int> Number(std::string_view text, int least, int most)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number < least || number > most) {
        return std::nullopt;
    }
    return number;
}

int Usage()
{
    std::fprintf(stderr, "usage: residual_sweep [--rows FIRST LAST] [--threads N] [--row-digests] | --row C"
                         "  (positions 0..500)\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--row") {
        const auto row = Number(args[1], 0, 500);
        if (!row) {
            return Usage();
        }
        power::testing::ForEachInRow(*row, 1, [](const std::string& positions, const std::string& caption) {
            std::printf("%s\t%s\n", positions.c_str(), caption.c_str());
        });
        return 0;
    }
    power::testing::CheckCylinderRange rows;
    bool rowDigests = false;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--row-digests") {
            rowDigests = true;
        } else if (args[i] == "--rows" && i + 2 < args.size()) {
            const auto first = Number(args[i + 1], 0, 500);
            const auto last = Number(args[i + 2], 0, 500);
            if (!first || !last || *first > *last) {
                return Usage();
            }
            rows = {*first, *last};
            i += 2;
        } else if (args[i] == "--threads" && i + 1 < args.size()) {
            const auto count = Number(args[i + 1], 1, 256);
            if (!count) {
                return Usage();
            }
            threads = static_cast<unsigned>(*count);
            ++i;
        } else {
            return Usage();
        }
    }

    power::testing::RowDone tell;
    if (rowDigests) {
        tell = [](int row, std::uint64_t digest) {
            std::printf("row %d: %016" PRIx64 "\n", row, digest);
            std::fflush(stdout);  // a run cut short still leaves the rows it finished
        };
    }
    const auto start = std::chrono::steady_clock::now();
    const auto report = power::testing::SweepGrid(1, threads, rows, tell);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("checked %llu pairs of readings (check cylinder positions %d..%d) on %u threads in %.1f s: %llu faults\n",
                static_cast<unsigned long long>(report.checked), rows.first, rows.last, threads, elapsed.count(),
                static_cast<unsigned long long>(report.faults));
    std::printf("caption digest (FNV-1a 64 of every caption, row by row): %016" PRIx64 "\n", report.digest);
    int status = 0;
    if (report.faults != 0) {
        std::printf("first fault: %s\n", report.firstFault.c_str());
        status = 1;
    }
    if (rows.first == 0 && rows.last == 500 && report.digest != power::testing::kFullSweepDigest) {
        std::printf("FAIL: the published digest is %016" PRIx64 ": some caption has changed\n",
                    power::testing::kFullSweepDigest);
        status = 1;
    }
    return status;
}
