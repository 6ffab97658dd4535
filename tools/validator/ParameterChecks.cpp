// Parameter values in and out of range, set between blocks and while processing, and
// an instance's state saved and restored through its parameters and program name.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include "tools/validator/Breadcrumb.h"
#include "tools/validator/Check.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr float kRate = 48000.0f;
constexpr int kBlock = 256;
// Blocks a plug-in may take to settle after the last hostile value: one second.
constexpr int kSettleBlocks = static_cast<int>(kRate) / kBlock;
// Parameters tried one by one with every hostile value; plug-ins with more get a random
// selection of this many.
constexpr int kMostParametersTried = 64;

const float kHostileValues[] = {
    -1.0f, -1e-7f, 1.0000001f, 2.0f, 1e6f, 1e30f,
    std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
    std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
    -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min(),
};

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<int> parametersToTry(TestedPlugin& plugin, Random& random) {
    std::vector<int> all(plugin.parameterCount());
    for (int i = 0; i < plugin.parameterCount(); ++i) all[i] = i;
    std::shuffle(all.begin(), all.end(), std::mt19937_64(random.bits()));
    if (static_cast<int>(all.size()) > kMostParametersTried) all.resize(kMostParametersTried);
    std::sort(all.begin(), all.end());
    return all;
}

std::string checkInRange(CheckContext& context) {
    constexpr int kBlocks = 200;
    TestedPlugin plugin(context);
    if (plugin.parameterCount() == 0) skip("the plug-in has no parameters");
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random& random = context.random();
    long changes = 0;
    for (int block = 0; block < kBlocks; ++block) {
        for (int change = random.integer(1, 4); change > 0; --change, ++changes) {
            const int index = random.integer(0, plugin.parameterCount() - 1);
            plugin.setParameter(index, random.uniform(0.0f, 1.0f));
            const float read = plugin.getParameter(index);
            if (!(read >= 0.0f && read <= 1.0f))
                fail(describe("parameter %d reads back %g after a value in 0..1", index, static_cast<double>(read)));
        }
        fillQuietNoise(buffers, kBlock, random);
        requireFinite(plugin.process(buffers, kBlock, "random values in 0..1"),
                      describe("block %d of random values in 0..1", block));
    }
    return describe("%ld random values in 0..1 between %d blocks; output finite, values read back in 0..1",
                    changes, kBlocks);
}

void settle(TestedPlugin& plugin, AudioBuffers& buffers, Random& random, const std::string& after) {
    for (int block = 0; block < kSettleBlocks; ++block) {
        fillQuietNoise(buffers, kBlock, random);
        requireFinite(plugin.process(buffers, kBlock, after), after);
    }
}

std::string checkOutOfRange(CheckContext& context) {
    TestedPlugin plugin(context);
    if (plugin.parameterCount() == 0) skip("the plug-in has no parameters");
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random& random = context.random();
    const std::vector<int> tried = parametersToTry(plugin, random);
    std::vector<float> saved(plugin.parameterCount());
    for (int i = 0; i < plugin.parameterCount(); ++i) saved[i] = plugin.getParameter(i);

    // Between blocks: each value on each parameter for one block, then back.
    for (const int index : tried) {
        for (const float value : kHostileValues) {
            noteStep("setParameter %d to %g", index, static_cast<double>(value));
            plugin.setParameter(index, value);
            plugin.getParameter(index);
            plugin.text(effGetParamDisplay, index);
            fillQuietNoise(buffers, kBlock, random);
            requireFinite(plugin.process(buffers, kBlock, "hostile parameter value"),
                          describe("parameter %d set to %g", index, static_cast<double>(value)));
            plugin.setParameter(index, saved[index]);
        }
    }
    settle(plugin, buffers, random, "after hostile values between blocks");

    // While processing: another thread sets hostile and random values.
    std::atomic<bool> stop{false};
    std::thread setter([&, seed = random.bits()] {
        Random own(seed);
        while (!stop.load()) {
            const int index = tried[own.integer(0, static_cast<int>(tried.size()) - 1)];
            const float value = own.chance(0.5) ? own.uniform(0.0f, 1.0f)
                                                : kHostileValues[own.integer(0, std::size(kHostileValues) - 1)];
            plugin.setParameter(index, value);
        }
    });
    std::string problem;
    for (int block = 0; block < 2 * kSettleBlocks && problem.empty(); ++block) {
        fillQuietNoise(buffers, kBlock, random);
        try {
            requireFinite(plugin.process(buffers, kBlock, "hostile values from another thread"),
                          "while another thread set hostile values");
        } catch (const CheckFailure& failure) {
            problem = failure.what();
        }
    }
    stop = true;
    setter.join();
    if (!problem.empty()) fail(problem);
    for (int i = 0; i < plugin.parameterCount(); ++i) plugin.setParameter(i, saved[i]);
    settle(plugin, buffers, random, "after hostile values while processing, values restored");
    return describe("%zu values (negative, above 1, huge, NaN, infinite, subnormal) on %zu parameters "
                    "between blocks and from another thread while processing; output finite throughout",
                    std::size(kHostileValues), tried.size());
}

std::vector<float> render(TestedPlugin& plugin, std::uint64_t seed) {
    constexpr int kBlocks = 40;
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random random(seed);
    std::vector<float> rendered;
    for (int block = 0; block < kBlocks; ++block) {
        fillQuietNoise(buffers, kBlock, random);
        plugin.process(buffers, kBlock, "rendering after a state restore");
        for (int c = 0; c < buffers.outputCount(); ++c)
            rendered.insert(rendered.end(), buffers.output(c), buffers.output(c) + kBlock);
    }
    return rendered;
}

bool sameSignal(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

void restore(TestedPlugin& plugin, const std::vector<float>& values, const std::string& name) {
    for (int i = 0; i < static_cast<int>(values.size()); ++i) plugin.setParameter(i, values[i]);
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    plugin.dispatch(effSetProgramName, 0, 0, text.data());
}

std::string checkStateRoundTrip(CheckContext& context) {
    Random& random = context.random();
    TestedPlugin original(context);
    const int count = original.parameterCount();
    std::vector<float> chosen(count);
    for (float& value : chosen) value = random.uniform(0.0f, 1.0f);
    restore(original, chosen, describe("Validator %d", random.integer(0, 99999)));

    std::vector<float> saved(count);
    for (int i = 0; i < count; ++i) saved[i] = original.getParameter(i);
    const std::string savedName = original.text(effGetProgramName);

    TestedPlugin restored(context);
    restore(restored, saved, savedName);
    for (int i = 0; i < count; ++i)
        if (!sameBits(restored.getParameter(i), saved[i]))
            fail(describe("parameter %d: saved %.9g, restored %.9g", i, static_cast<double>(saved[i]),
                          static_cast<double>(restored.getParameter(i))));
    if (restored.text(effGetProgramName) != savedName)
        fail("program name: saved \"" + savedName + "\", restored \"" + restored.text(effGetProgramName) + "\"");

    const std::uint64_t signalSeed = random.bits();
    const std::vector<float> originalSound = render(original, signalSeed);
    const std::vector<float> restoredSound = render(restored, signalSeed);
    if (!sameSignal(originalSound, restoredSound)) {
        TestedPlugin again(context);
        restore(again, saved, savedName);
        if (!sameSignal(restoredSound, render(again, signalSeed)))
            return describe("%d parameter values and the program name round-trip exactly; the sound "
                            "was not compared: two identical restores sound different", count);
        fail("the restored instance sounds different from the saved one");
    }
    return describe("%d parameter values and the program name \"%s\" round-trip exactly; the restored "
                    "instance sounds identical", count, savedName.c_str());
}

}  // namespace

Group parameterChecks() {
    return {"parameters",
            {{"parameters.in-range", &checkInRange},
             {"parameters.out-of-range", &checkOutOfRange},
             {"parameters.state-round-trip", &checkStateRoundTrip}}};
}

}  // namespace validator
