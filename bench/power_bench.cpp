// The calculate path, six scroll positions to the result caption, next to
// its floor: the bare standard-library calls that path cannot avoid (four
// sine and cosine calls, one arctangent, one sine, one two-decimal
// formatting). Run with `make bench`.

#include "power/lens_reading.h"
#include "power/residual_caption.h"
#include "power/residual_power.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace {

// Readings of the general case (oblique axes), the one the path is slowest on.
constexpr std::array<power::ScrollPositions, 4> kPositions{{
    {1000, 100, 150, 1000, 50, 120},
    {800, 50, 160, 800, 75, 140},
    {1000, 100, 120, 1000, 200, 160},
    {1234, 317, 7, 980, 25, 101},
}};

void CalculatePath(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        power::ScrollPositions p = kPositions[i++ % kPositions.size()];
        benchmark::DoNotOptimize(p);
        const auto residual = power::ResidualPower(power::CheckReading(p), power::MeasuredReading(p));
        auto caption = power::ResidualCaption(residual);
        benchmark::DoNotOptimize(caption);
    }
}
BENCHMARK(CalculatePath);

void StandardLibraryFloor(benchmark::State& state)
{
    std::size_t i = 0;
    std::array<char, 32> text{};
    for (auto _ : state) {
        const auto& p = kPositions[i++ % kPositions.size()];
        double a1 = 2 * (180 - p[2]) * 3.1416 / 180;
        double a2 = 2 * (180 - p[5]) * 3.1416 / 180;
        benchmark::DoNotOptimize(a1);
        benchmark::DoNotOptimize(a2);
        const double n = std::sin(a1) - std::sin(a2);
        const double d = std::cos(a1) - std::cos(a2);
        const double theta = std::atan(n / d);
        const double c = n / std::sin(theta);
        benchmark::DoNotOptimize(std::to_chars(text.data(), text.data() + text.size(), c,
                                               std::chars_format::fixed, 2));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(StandardLibraryFloor);

}  // namespace

BENCHMARK_MAIN();
