// Speed of the signal path: processBlock at three host rates and three block sizes, on
// signal, digital silence and a tail decaying through the subnormal range; and the cost
// of constructing an instance (dominated by the tube-table build).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "dsp/SignalPath.h"

namespace {

enum class Material { kSignal, kSilence, kDecayingTail };

constexpr int kSeconds = 4;

// kSeconds of stereo input: music-like (two tones and noise near -12 dBFS), zeros, or
// noise decaying from -20 dBFS to below the smallest subnormal.
std::vector<float> material(Material kind, float rate) {
    const int frames = static_cast<int>(rate) * kSeconds;
    std::vector<float> samples(2 * frames, 0.0f);
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    const double decayPerFrame = std::pow(1e-46, 1.0 / frames);
    double envelope = 0.1;
    for (int n = 0; n < frames; ++n) {
        for (int channel = 0; channel < 2; ++channel) {
            float& x = samples[2 * n + channel];
            if (kind == Material::kSignal)
                x = static_cast<float>(0.2 * std::sin(0.0627 * n * (channel + 1)) +
                                       0.05 * noise(random));
            else if (kind == Material::kDecayingTail)
                x = static_cast<float>(envelope * noise(random));
        }
        envelope *= decayPerFrame;
    }
    return samples;
}

void processBlocks(benchmark::State& state) {
    const float rate = static_cast<float>(state.range(0));
    const int blockSize = static_cast<int>(state.range(1));
    const auto kind = static_cast<Material>(state.range(2));
    const std::vector<float> interleaved = material(kind, rate);
    const int frames = static_cast<int>(interleaved.size() / 2);
    std::vector<float> left(frames), right(frames), outLeft(blockSize), outRight(blockSize);
    for (int n = 0; n < frames; ++n) {
        left[n] = interleaved[2 * n];
        right[n] = interleaved[2 * n + 1];
    }

    auto path = std::make_unique<dsp::SignalPath>();
    path->setSampleRate(rate);
    const dsp::ParameterSnapshot parameters{
        {0.3f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.5f}};
    int position = 0;
    for (auto _ : state) {
        if (position + blockSize > frames) position = 0;
        const dsp::BlockMeters meters =
            path->processBlock(&left[position], &right[position], outLeft.data(),
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

void construction(benchmark::State& state) {
    for (auto _ : state) {
        auto path = std::make_unique<dsp::SignalPath>();
        benchmark::DoNotOptimize(path.get());
    }
}
BENCHMARK(construction)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
