// How much work the processor can do beside the tube circuit's recursion: one 192 kHz
// circuit step for both channels, with and without independent work placed right after it
// in program order, and that work alone. Where "circuit + work" costs the sum of the two,
// the circuit leaves no room beside it and the rest of the signal path can only get
// cheaper, not hidden.
//
// The work is either k stereo lowpasses (the 4x filter, each with its own short
// recursion), or plain filler: n integer additions or n single-precision multiplications
// in four independent chains, each far shorter than the circuit's.
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

void reportStepTime(benchmark::State& state) {
    state.counters["step_time"] = benchmark::Counter(
        kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
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
    reportStepTime(state);
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

// Written in assembly so that the compiler neither removes nor merges them.
template <int kCount>
void integerFiller(long (&r)[4]) {
    if constexpr (kCount > 0) {
        asm volatile("add $1, %0\n\tadd $1, %1\n\tadd $1, %2\n\tadd $1, %3"
                     : "+r"(r[0]), "+r"(r[1]), "+r"(r[2]), "+r"(r[3]));
        integerFiller<kCount - 4>(r);
    }
}
template <int kCount>
void floatFiller(dsp::Float4 (&r)[4], dsp::Float4 factor) {
    if constexpr (kCount > 0) {
        asm volatile("mulps %4, %0\n\tmulps %4, %1\n\tmulps %4, %2\n\tmulps %4, %3"
                     : "+x"(r[0]), "+x"(r[1]), "+x"(r[2]), "+x"(r[3])
                     : "x"(factor));
        floatFiller<kCount - 4>(r, factor);
    }
}

template <bool kCircuit, bool kFloat, int kCount>
void filler(benchmark::State& state) {
    const auto tables = dsp::sharedTubeTables();
    const std::vector<float> u = drive();
    dsp::ScopedNoDenormals noDenormals;
    dsp::StereoTubeCircuit circuit;
    long integers[4]{};
    dsp::Float4 floats[4]{dsp::splat(1.0f), dsp::splat(1.0f), dsp::splat(1.0f), dsp::splat(1.0f)};
    for (auto _ : state) {
        dsp::Float4 sum{};
        for (int i = 0; i < kSteps; ++i) {
            if constexpr (kCircuit)
                sum = sum + circuit.step(dsp::stereo(u[2 * i], u[2 * i + 1]), *tables);
            if constexpr (kFloat) floatFiller<kCount>(floats, dsp::splat(1.0f));
            else integerFiller<kCount>(integers);
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(integers);
        benchmark::DoNotOptimize(floats);
    }
    reportStepTime(state);
}
#define FILLER(kind, isFloat, count)                                                        \
    BENCHMARK(filler<false, isFloat, count>)->Name(kind "_alone/" #count)->Unit(benchmark::kMillisecond); \
    BENCHMARK(filler<true, isFloat, count>)->Name("circuit+" kind "/" #count)->Unit(benchmark::kMillisecond)
FILLER("integer_adds", false, 32);
FILLER("integer_adds", false, 128);
FILLER("float_multiplies", true, 32);
FILLER("float_multiplies", true, 64);
#undef FILLER

}  // namespace

BENCHMARK_MAIN();
