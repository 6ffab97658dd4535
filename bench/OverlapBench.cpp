// How much work the processor can do beside the tube circuit's recursion: one 192 kHz
// circuit step for both channels, with and without k independent stereo lowpasses (the
// 4x filter, each with its own short recursion) placed right after it in program order,
// and the lowpasses alone. Where "circuit + k filters" costs the sum of the two, the
// circuit leaves no room beside it and the rest of the signal path can only get cheaper,
// not hidden.
#include <benchmark/benchmark.h>

#include <vector>

#include "dsp/EllipticLowpass.h"
#include "dsp/FloatMode.h"
#include "dsp/SharedTubeTables.h"
#include "dsp/TubeCircuit.h"

namespace {

constexpr int kSteps = 1 << 16;
constexpr int kMostFilters = 4;

// A drive that wanders over the tables like music does.
std::vector<float> drive() {
    std::vector<float> values(2 * kSteps);
    for (int i = 0; i < 2 * kSteps; ++i)
        values[i] = 0.3f * static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.15f +
                    0.1f * static_cast<float>((i / 200) % 7);
    return values;
}

void overlap(benchmark::State& state) {
    const bool circuitRuns = state.range(0) != 0;
    const int filters = static_cast<int>(state.range(1));
    const auto tables = dsp::sharedTubeTables();
    const std::vector<float> u = drive();
    dsp::ScopedNoDenormals noDenormals;
    dsp::StereoTubeCircuit circuit;
    dsp::EllipticLowpass<dsp::Float4> lowpasses[kMostFilters];
    for (auto _ : state) {
        dsp::Float4 sum{};
        for (int i = 0; i < kSteps; ++i) {
            if (circuitRuns) sum = sum + circuit.step(dsp::stereo(u[2 * i], u[2 * i + 1]), *tables);
            for (int k = 0; k < filters; ++k)
                sum = sum + lowpasses[k].process(dsp::stereo(u[2 * i + 1], u[2 * i]));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["step_time"] = benchmark::Counter(
        kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(overlap)
    ->ArgNames({"circuit", "filters"})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 2})
    ->Args({1, 2})
    ->Args({0, 4})
    ->Args({1, 4})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
