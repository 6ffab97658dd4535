// The CLAP build's sound against the VST 2.4 build's, both loaded through their real entry
// points: bit for bit the same without events, at every rate and block size; with settings
// given in real units; and a parameter event landing exactly at its sample.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"
#include "tests/clap/ClapTestSupport.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/StereoPlugin.h"

namespace {

using vsthost::StereoBuffer;
using vsthost::StereoPlugin;

// The output of `plugin` for `material`, in blocks of the sizes `blocks` gives in turn.
StereoBuffer render(StereoPlugin& plugin, const StereoBuffer& material, const std::vector<int>& blocks) {
    StereoBuffer out;
    out.left.resize(material.left.size());
    out.right.resize(material.right.size());
    std::vector<float> inLeft(material.left), inRight(material.right);
    std::size_t position = 0;
    for (std::size_t turn = 0; position < material.left.size(); ++turn) {
        const int frames = static_cast<int>(std::min<std::size_t>(blocks[turn % blocks.size()], material.left.size() - position));
        plugin.process(inLeft.data() + position, inRight.data() + position, out.left.data() + position,
                       out.right.data() + position, frames);
        position += static_cast<std::size_t>(frames);
    }
    return out;
}

bool bitIdentical(const StereoBuffer& a, const StereoBuffer& b) {
    return a.left.size() == b.left.size() &&
           std::memcmp(a.left.data(), b.left.data(), a.left.size() * sizeof(float)) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), a.right.size() * sizeof(float)) == 0;
}

TEST(ClapRender, TheDemoIsBitIdenticalToTheVst2BuildAtEveryRate) {
    for (const double rate : {44100.0, 48000.0, 96000.0}) {
        SCOPED_TRACE(rate);
        const StereoBuffer demo = vsthost::synthesiseDemoLoop(rate, 3.0);
        const auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
        const auto clap = vsthost::openStereoPlugin(MARVOLENZIK_CLAP_PATH);
        vst2->start(rate, 512);
        clap->start(rate, 512);
        const StereoBuffer expected = render(*vst2, demo, {512});
        EXPECT_TRUE(bitIdentical(render(*clap, demo, {512}), expected));
    }
}

// A host's blocks come in any size; without events the sound does not depend on them.
TEST(ClapRender, BlocksOfAnySizeSoundTheSame) {
    const StereoBuffer demo = vsthost::synthesiseDemoLoop(48000.0, 2.0);
    const auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    const auto clap = vsthost::openStereoPlugin(MARVOLENZIK_CLAP_PATH);
    vst2->start(48000.0, 4096);
    clap->start(48000.0, 4096);
    std::mt19937 random(7);
    std::vector<int> sizes;
    for (int i = 0; i < 64; ++i) sizes.push_back(std::uniform_int_distribution<int>(1, 4096)(random));
    EXPECT_TRUE(bitIdentical(render(*clap, demo, sizes), render(*vst2, demo, {512})));
}

// The CLAP build shows real values; set through them, the sound is that of the normalised
// values they stand for.
TEST(ClapRender, SettingsInRealUnitsSoundAsTheirNormalisedValues) {
    const std::vector<std::pair<int, float>> settings{
        {parameter::kGain, 0.3f},  {parameter::kVolume, 0.8f},    {parameter::kAttack, 0.7f},
        {parameter::kRelease, 0.9f}, {parameter::kRatio, 0.25f}, {parameter::kLeftGrid, 0.6f},
        {parameter::kRightGrid, 0.9f}, {parameter::kDryWet, 0.75f}, {parameter::kSidechain, 0.5f}};
    const StereoBuffer demo = vsthost::synthesiseDemoLoop(44100.0, 2.0);
    const auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    const auto clap = vsthost::openStereoPlugin(MARVOLENZIK_CLAP_PATH);
    for (const auto& [index, value] : settings) {
        vst2->setValue(index, value);
        clap->setValue(index, parameter::toReal(index, value));
        EXPECT_EQ(parameter::fromReal(index, clap->value(index)), value) << parameter::name(index);
    }
    vst2->start(44100.0, 512);
    clap->start(44100.0, 512);
    EXPECT_TRUE(bitIdentical(render(*clap, demo, {512}), render(*vst2, demo, {512})));
}

// An event at sample 300 of a 512-frame block changes the output from sample 300 on, and
// exactly as a host that split the block there and set the value between would.
TEST(ClapRender, AParameterEventChangesTheOutputFromItsSampleOn) {
    constexpr double kRate = 48000.0;
    constexpr uint32_t kBlock = 512, kEventAt = 300;
    // Past the tube stage's one-second warm-up, so the block sounds.
    const StereoBuffer demo = vsthost::synthesiseDemoLoop(kRate, 1.2);
    const std::size_t warm = demo.left.size() / kBlock * kBlock;
    auto steady = makeClapInstance(), changed = makeClapInstance();
    const auto splitVst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    splitVst2->start(kRate, kBlock);
    for (auto* instance : {steady.get(), changed.get()}) {
        ASSERT_TRUE(instance->activate(kRate, kBlock));
        ASSERT_TRUE(instance->startProcessing());
    }
    StereoBlock in(kBlock), outSteady(kBlock), outChanged(kBlock), outSplit(kBlock);
    for (std::size_t position = 0; position + kBlock <= warm + kBlock; position += kBlock) {
        for (uint32_t i = 0; i < kBlock; ++i) {
            const std::size_t at = (position + i) % demo.left.size();
            in.left[i] = demo.left[at];
            in.right[i] = demo.right[at];
        }
        const bool last = position == warm;
        if (last) changed->queueValue(parameter::kRatio, 5.0, kEventAt);
        ASSERT_EQ(processStereo(*steady, in, outSteady), CLAP_PROCESS_CONTINUE);
        ASSERT_EQ(processStereo(*changed, in, outChanged), CLAP_PROCESS_CONTINUE);
        if (!last) {
            splitVst2->process(in.left.data(), in.right.data(), outSplit.left.data(), outSplit.right.data(), kBlock);
            continue;
        }
        splitVst2->process(in.left.data(), in.right.data(), outSplit.left.data(), outSplit.right.data(), kEventAt);
        splitVst2->setValue(parameter::kRatio, 0.05);
        splitVst2->process(in.left.data() + kEventAt, in.right.data() + kEventAt, outSplit.left.data() + kEventAt,
                           outSplit.right.data() + kEventAt, kBlock - kEventAt);
    }
    for (uint32_t i = 0; i < kEventAt; ++i) ASSERT_EQ(outChanged.left[i], outSteady.left[i]) << "sample " << i;
    uint32_t firstDifferent = kBlock;
    for (uint32_t i = kEventAt; i < kBlock && firstDifferent == kBlock; ++i)
        if (outChanged.left[i] != outSteady.left[i]) firstDifferent = i;
    EXPECT_LT(firstDifferent, kBlock) << "the event changed nothing";
    EXPECT_EQ(std::memcmp(outChanged.left.data(), outSplit.left.data(), kBlock * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(outChanged.right.data(), outSplit.right.data(), kBlock * sizeof(float)), 0);
}

}  // namespace
