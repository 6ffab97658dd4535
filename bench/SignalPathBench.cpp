// Speed of the signal path: processBlock at three host rates and three block sizes, on
// signal, digital silence and a tail decaying through the subnormal range; and the cost
// of constructing an instance: the first (dominated by the tube-table build) and one
// beside it.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchMaterial.h"
#include "dsp/SignalPath.h"

namespace {

constexpr int kSeconds = 4;

void processBlocks(benchmark::State& state) {
    const float rate = static_cast<float>(state.range(0));
    const int blockSize = static_cast<int>(state.range(1));
    const auto kind = static_cast<bench::Material>(state.range(2));
    const bench::StereoMaterial input = bench::makeMaterial(kind, rate, kSeconds);
    const int frames = input.frames();
    std::vector<float> outLeft(blockSize), outRight(blockSize);

    auto path = std::make_unique<dsp::SignalPath>();
    path->setSampleRate(rate);
    const dsp::ParameterSnapshot parameters{
        {0.3f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.5f}};
    int position = 0;
    for (auto _ : state) {
        if (position + blockSize > frames) position = 0;
        const dsp::BlockMeters meters =
            path->processBlock(&input.left[position], &input.right[position], outLeft.data(),
                               outRight.data(), blockSize, parameters);
        benchmark::DoNotOptimize(meters);
        benchmark::DoNotOptimize(outLeft.data());
        position += blockSize;
    }
    state.counters["stereo_sample_time"] = benchmark::Counter(
        blockSize, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] =
        benchmark::Counter(blockSize / rate, benchmark::Counter::kIsIterationInvariantRate);
}

void blockArguments(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"rate", "block", "material"});
    for (int kind : {0, 1, 2})
        for (int rate : {44100, 48000, 96000})
            for (int block : {32, 512, 4096}) benchmark->Args({rate, block, kind});
}
BENCHMARK(processBlocks)->Apply(blockArguments)->Unit(benchmark::kMicrosecond);

// The first instance builds the shared tube tables, which the last one releases again.
void construction(benchmark::State& state) {
    for (auto _ : state) {
        auto path = std::make_unique<dsp::SignalPath>();
        benchmark::DoNotOptimize(path.get());
    }
}
BENCHMARK(construction)->Unit(benchmark::kMillisecond);

// Another instance beside a living one shares its tables.
void constructionBesideAnother(benchmark::State& state) {
    const auto first = std::make_unique<dsp::SignalPath>();
    for (auto _ : state) {
        auto path = std::make_unique<dsp::SignalPath>();
        benchmark::DoNotOptimize(path.get());
    }
}
BENCHMARK(constructionBesideAnother)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
