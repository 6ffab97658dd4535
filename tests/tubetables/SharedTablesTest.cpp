// One copy of the tube tables per process: instances created at the same moment on
// different threads share one correctly built copy, instances may go away in any order
// without disturbing the others, and the copy is released with the last instance. Once
// on dsp::SignalPath, once through the built plug-in as a host loads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <latch>
#include <memory>
#include <thread>
#include <vector>

#include "BuiltTables.h"
#include "dsp/SharedTubeTables.h"
#include "dsp/SignalPath.h"
#include "tools/host/PluginLibrary.h"

namespace {

constexpr int kFrames = 256;

struct Block {
    std::vector<float> left, right;
};

Block noiseBlock(unsigned seed) {
    Block block{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    unsigned state = seed;
    for (int n = 0; n < kFrames; ++n) {
        state = state * 1664525u + 1013904223u;
        block.left[n] = static_cast<float>(static_cast<int>(state >> 8) - (1 << 23)) / (1 << 24);
        block.right[n] = -block.left[n];
    }
    return block;
}

bool sameBits(const Block& a, const Block& b) {
    return std::memcmp(a.left.data(), b.left.data(), kFrames * sizeof(float)) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), kFrames * sizeof(float)) == 0;
}

Block process(dsp::SignalPath& path, const Block& in) {
    const dsp::ParameterSnapshot parameters{
        {0.6f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.7f, 1.0f, 1.0f, 1.0f, 0.5f}};
    Block out{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    path.processBlock(in.left.data(), in.right.data(), out.left.data(), out.right.data(), kFrames,
                      parameters);
    return out;
}

// Runs create(0) and create(1) on two threads released at the same moment.
template <class Create>
void createOnTwoThreadsAtOnce(const Create& create) {
    std::latch start(2);
    std::thread creators[2];
    for (int i = 0; i < 2; ++i)
        creators[i] = std::thread([&, i] {
            start.arrive_and_wait();
            create(i);
        });
    for (std::thread& creator : creators) creator.join();
}

// Every entry (not the object's bytes: alignment padding at its end is never written).
bool sameAsPrivatelyBuilt(const dsp::TubeTables& tables) {
    constexpr std::size_t kBytes = sizeof(float) * dsp::TubeTables::kTables * dsp::TubeTables::kEntries;
    return std::memcmp(tables.slice(0, 0), tubetablestest::builtTables().slice(0, 0), kBytes) == 0;
}

TEST(SharedTubeTables, TwoInstancesCreatedAtOnceShareOneCorrectCopy) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::unique_ptr<dsp::SignalPath> paths[2];
        createOnTwoThreadsAtOnce([&](int i) { paths[i] = std::make_unique<dsp::SignalPath>(); });
        EXPECT_EQ(&paths[0]->tubeTables(), &paths[1]->tubeTables());
        EXPECT_TRUE(sameAsPrivatelyBuilt(paths[0]->tubeTables()));
    }
}

TEST(SharedTubeTables, InstancesLeaveInAnyOrderAndTheLastReleasesTheCopy) {
    std::array<int, 3> order{0, 1, 2};
    do {
        // A control instance with its own tables shows what each survivor must output.
        dsp::SignalPath control(dsp::buildTubeTables(dsp::kTubeTableCoefficients));
        std::unique_ptr<dsp::SignalPath> paths[3];
        for (auto& path : paths) path = std::make_unique<dsp::SignalPath>();
        const std::weak_ptr<const dsp::TubeTables> observer = dsp::sharedTubeTables();
        unsigned seed = 1;
        for (int leaving : order) {
            const Block in = noiseBlock(seed++);
            const Block expected = process(control, in);
            for (auto& path : paths)
                EXPECT_TRUE(!path || sameBits(process(*path, in), expected));
            EXPECT_FALSE(observer.expired());
            paths[leaving].reset();
        }
        EXPECT_TRUE(observer.expired());
    } while (std::next_permutation(order.begin(), order.end()));

    // A new first instance builds the tables again.
    dsp::SignalPath again;
    EXPECT_TRUE(sameAsPrivatelyBuilt(again.tubeTables()));
}

// Through the built plug-in: instances created on two threads at once, one of them
// closed early, process exactly as an instance created alone.
VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

AEffect* openEffect(const vsthost::PluginLibrary& library) {
    AEffect* effect = library.entry()(&quietHost);
    if (!effect) return nullptr;
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    return effect;
}

void closeEffect(AEffect* effect) {
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

Block processThrough(AEffect* effect, const Block& in) {
    Block copy = in, out{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    float* inputs[] = {copy.left.data(), copy.right.data()};
    float* outputs[] = {out.left.data(), out.right.data()};
    effect->processReplacing(effect, inputs, outputs, kFrames);
    return out;
}

TEST(SharedTubeTables, PluginInstancesCreatedOnTwoThreadsProcessAlike) {
    const vsthost::PluginLibrary library(MARVOLENZIK_PLUGIN_PATH);
    ASSERT_TRUE(library.ok()) << library.error();

    AEffect* effects[2] = {};
    createOnTwoThreadsAtOnce([&](int i) { effects[i] = openEffect(library); });
    ASSERT_NE(effects[0], nullptr);
    ASSERT_NE(effects[1], nullptr);

    std::vector<Block> firstOutputs;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const Block in = noiseBlock(seed);
        firstOutputs.push_back(processThrough(effects[0], in));
        EXPECT_TRUE(sameBits(processThrough(effects[1], in), firstOutputs.back()));
    }
    closeEffect(effects[0]);
    for (unsigned seed = 5; seed <= 8; ++seed)
        firstOutputs.push_back(processThrough(effects[1], noiseBlock(seed)));
    closeEffect(effects[1]);

    // Alone, after both have gone: the tables are built afresh, the sound is the same.
    AEffect* alone = openEffect(library);
    ASSERT_NE(alone, nullptr);
    for (unsigned seed = 1; seed <= 8; ++seed)
        EXPECT_TRUE(sameBits(processThrough(alone, noiseBlock(seed)), firstOutputs[seed - 1])) << seed;
    closeEffect(alone);
}

}  // namespace
