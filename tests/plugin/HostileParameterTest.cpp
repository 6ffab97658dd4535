// Values a host should never send for a parameter: kept as sent, yet the sound stays
// finite and uses the nearest normalised value.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "LoadedPlugin.h"

namespace {

constexpr int kBlock = 512;
constexpr int kActiveParameters = 11;

struct Block {
    std::vector<float> left, right, outLeft, outRight;
};

// Noise at -20 dBFS, the same for every instance.
Block noiseBlock(unsigned seed) {
    Block block{std::vector<float>(kBlock), std::vector<float>(kBlock), std::vector<float>(kBlock),
                std::vector<float>(kBlock)};
    for (int i = 0; i < kBlock; ++i) {
        seed = seed * 1664525u + 1013904223u;
        block.left[i] = 0.1f * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
        block.right[i] = -0.5f * block.left[i];
    }
    return block;
}

void process(vsthost::PluginInstance& plugin, Block& block) {
    float* inputs[] = {block.left.data(), block.right.data()};
    float* outputs[] = {block.outLeft.data(), block.outRight.data()};
    plugin.processReplacing(inputs, outputs, kBlock);
}

bool finite(const Block& block) {
    for (int i = 0; i < kBlock; ++i)
        if (!std::isfinite(block.outLeft[i]) || !std::isfinite(block.outRight[i])) return false;
    return true;
}

TEST_F(PluginTest, HostileParameterValuesKeepTheOutputFinite) {
    const float hostile[] = {-1.0f, 2.0f, 1e6f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    plugin->start(48000.0f, kBlock);
    for (int index = 0; index < kActiveParameters; ++index) {
        const float before = plugin->getParameter(index);
        for (const float value : hostile) {
            SCOPED_TRACE(::testing::Message() << "parameter " << index << " = " << value);
            plugin->setParameter(index, value);
            const float kept = plugin->getParameter(index);
            EXPECT_EQ(std::memcmp(&kept, &value, sizeof kept), 0) << "the value is kept as sent";
            for (int block = 0; block < 4; ++block) {
                Block noise = noiseBlock(static_cast<unsigned>(block));
                process(*plugin, noise);
                ASSERT_TRUE(finite(noise));
            }
        }
        plugin->setParameter(index, before);
    }
}

TEST(HostileParameterSound, ValuesBeyondTheRangeSoundLikeItsEnds) {
    vsthost::Host host;
    struct Case {
        int index;
        float sent, heard;
    } cases[] = {{1, 1.5f, 1.0f}, {0, -0.5f, 0.0f}, {7, std::numeric_limits<float>::quiet_NaN(), 0.0f},
                 {4, std::numeric_limits<float>::infinity(), 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "parameter " << c.index << " = " << c.sent);
        vsthost::PluginInstance hostile(host, marvolenzikLibrary()), normal(host, marvolenzikLibrary());
        hostile.setParameter(c.index, c.sent);
        normal.setParameter(c.index, c.heard);
        hostile.start(48000.0f, kBlock);
        normal.start(48000.0f, kBlock);
        // Past the tube stage's one-second warm-up, so that the wet path is heard.
        for (int block = 0; block < 120; ++block) {
            Block a = noiseBlock(static_cast<unsigned>(block)), b = a;
            process(hostile, a);
            process(normal, b);
            ASSERT_EQ(a.outLeft, b.outLeft) << "block " << block;
            ASSERT_EQ(a.outRight, b.outRight) << "block " << block;
        }
    }
}

}  // namespace
