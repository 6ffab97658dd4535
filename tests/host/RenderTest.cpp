// `render` end to end: real files in a temporary folder, the built executable, and the
// same samples processed through the plug-in directly for comparison.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>

#include "tests/presets/PrintfPresetText.h"
#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

namespace {

constexpr long kFrames = 10007;  // not a whole number of blocks

// The render warms the plug-in up with this much silence unless told otherwise.
constexpr double kDefaultPrerollSeconds = 1.5;

float largestMagnitude(const std::vector<std::vector<float>>& samples) {
    float largest = 0.0f;
    for (const auto& channel : samples)
        for (float sample : channel) largest = std::max(largest, std::fabs(sample));
    return largest;
}

// What the render does, written out plainly: feed the pre-roll's silence in blocks and
// drop its output; feed the signal and then `initialDelay` frames of silence in blocks,
// and drop the first `initialDelay` output frames.
std::vector<std::vector<float>> processDirectly(
    const std::vector<std::vector<float>>& input, float sampleRate, int blockSize,
    const std::vector<std::pair<int, float>>& parameters = {},
    double prerollSeconds = kDefaultPrerollSeconds) {
    const vsthost::PluginLibrary library(MARVOLENZIK_PLUGIN_PATH);
    vsthost::Host host;
    vsthost::PluginInstance plugin(host, library);
    for (const auto& [index, value] : parameters) plugin.setParameter(index, value);
    plugin.start(sampleRate, blockSize);
    const long prerollFrames = static_cast<long>(prerollSeconds * sampleRate);
    std::vector<float> silence(blockSize, 0.0f), discarded(blockSize);
    for (long done = 0; done < prerollFrames; done += blockSize) {
        float* in[2] = {silence.data(), silence.data()};
        float* out[2] = {discarded.data(), discarded.data()};
        plugin.processReplacing(in, out, static_cast<VstInt32>(std::min<long>(blockSize, prerollFrames - done)));
    }
    const long latency = plugin.effect()->initialDelay;
    const long frames = static_cast<long>(input[0].size());
    std::vector<std::vector<float>> padded(2, std::vector<float>(frames + latency, 0.0f));
    for (int channel = 0; channel < 2; ++channel)
        std::copy(input[channel].begin(), input[channel].end(), padded[channel].begin());
    std::vector<std::vector<float>> output(2, std::vector<float>(frames + latency));
    for (long position = 0; position < frames + latency; position += blockSize) {
        float* in[2] = {padded[0].data() + position, padded[1].data() + position};
        float* out[2] = {output[0].data() + position, output[1].data() + position};
        plugin.processReplacing(
            in, out, static_cast<VstInt32>(std::min<long>(blockSize, frames + latency - position)));
    }
    for (auto& channel : output) channel.erase(channel.begin(), channel.begin() + latency);
    return output;
}

AudioFile floatFile(int sampleRate, int channels, long frames = kFrames) {
    return {sampleRate, channels, SF_FORMAT_WAV | SF_FORMAT_FLOAT, testSignal(channels, frames)};
}

struct RateAndBlock {
    int sampleRate;
    int blockSize;
};

class RenderMatchesDirectProcessing : public ::testing::TestWithParam<RateAndBlock> {};

TEST_P(RenderMatchesDirectProcessing, SampleForSampleAfterLatencyCompensation) {
    const auto [sampleRate, blockSize] = GetParam();
    TemporaryFolder folder;
    const AudioFile input = floatFile(sampleRate, 2);
    writeAudioFile(folder.file("in.wav"), input);

    const HostRun run = runHost({"render", "--quiet", "--block", std::to_string(blockSize),
                                 folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const AudioFile output = readAudioFile(folder.file("out.wav"));
    EXPECT_EQ(output.sampleRate, sampleRate);
    EXPECT_EQ(output.channels, 2);
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_GT(largestMagnitude(output.samples), 0.0f);
    EXPECT_EQ(output.samples,
              processDirectly(input.samples, static_cast<float>(sampleRate), blockSize));
}

INSTANTIATE_TEST_SUITE_P(Rates, RenderMatchesDirectProcessing,
                         ::testing::Values(RateAndBlock{44100, 512}, RateAndBlock{96000, 512},
                                           RateAndBlock{48000, 100}),
                         [](const ::testing::TestParamInfo<RateAndBlock>& info) {
                             return std::to_string(info.param.sampleRate) + "Hz_block" +
                                    std::to_string(info.param.blockSize);
                         });

TEST(Render, MonoInputFeedsBothInputsAndGivesStereo) {
    TemporaryFolder folder;
    const AudioFile input = floatFile(48000, 1);
    writeAudioFile(folder.file("mono.wav"), input);

    const HostRun run =
        runHost({"render", "--quiet", folder.file("mono.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const AudioFile output = readAudioFile(folder.file("out.wav"));
    EXPECT_EQ(output.channels, 2);
    EXPECT_GT(largestMagnitude(output.samples), 0.0f);
    EXPECT_EQ(output.samples, processDirectly({input.samples[0], input.samples[0]}, 48000.0f, 512));
}

// The mono-delay test plug-in delays by 5 frames and halves: a compensated render gives
// exactly half the input, aligned, with its 7-frame tail of silence after it; each
// channel runs through its own instance.
TEST(Render, LatencyCompensationAlignsAndRendersTheTail) {
    TemporaryFolder folder;
    const AudioFile input = floatFile(44100, 2);
    writeAudioFile(folder.file("in.wav"), input);

    const HostRun run = runHost({"render", "--quiet", "--plugin", MONO_DELAY_PLUGIN_PATH,
                                 folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const AudioFile output = readAudioFile(folder.file("out.wav"));
    ASSERT_EQ(output.frames(), kFrames + 7);
    for (int channel = 0; channel < 2; ++channel) {
        for (long i = 0; i < kFrames; ++i)
            ASSERT_EQ(output.samples[channel][i], 0.5f * input.samples[channel][i])
                << channel << ":" << i;
        for (long i = kFrames; i < kFrames + 7; ++i) ASSERT_EQ(output.samples[channel][i], 0.0f);
    }
}

// Marvolenzik's tube stage is muted for its first second; without the pre-roll the
// render hears that, exactly as processing from construction on does.
TEST(Render, WithoutPrerollStartsFromTheFreshInstance) {
    TemporaryFolder folder;
    const AudioFile input = floatFile(48000, 2, 48000 * 3 / 2);
    writeAudioFile(folder.file("in.wav"), input);
    const HostRun run = runHost({"render", "--quiet", "--preroll", "0", folder.file("in.wav"),
                                 folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readAudioFile(folder.file("out.wav")).samples,
              processDirectly(input.samples, 48000.0f, 512, {}, 0.0));
}

TEST(Render, GainReductionIsReadFromMarvolenziksMetersOnly) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2, 4800));
    const HostRun ours = runHost({"render", "--json", "--param", "Gain=0.5", folder.file("in.wav"),
                                  folder.file("ours.wav")});
    ASSERT_EQ(ours.exitCode, 0) << ours.err;
    // 25 dB of input gain on a signal peaking at -6 dBFS compresses hard.
    const double reduction = jsonNumber(ours.out, "maxGainReductionDb");
    EXPECT_GT(reduction, 1.0);
    EXPECT_LE(reduction, 60.0);
    const HostRun other = runHost({"render", "--json", "--plugin", MONO_DELAY_PLUGIN_PATH,
                                   folder.file("in.wav"), folder.file("other.wav")});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_NE(other.out.find("\"maxGainReductionDb\": null"), std::string::npos) << other.out;
}

TEST(Render, WithoutLatencyCompensationKeepsTheDelay) {
    TemporaryFolder folder;
    const AudioFile input = floatFile(44100, 2);
    writeAudioFile(folder.file("in.wav"), input);

    const HostRun run =
        runHost({"render", "--quiet", "--no-latency-compensation", "--plugin",
                 MONO_DELAY_PLUGIN_PATH, folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const AudioFile output = readAudioFile(folder.file("out.wav"));
    ASSERT_EQ(output.frames(), kFrames + 7);
    for (int channel = 0; channel < 2; ++channel) {
        for (long i = 0; i < 5; ++i) ASSERT_EQ(output.samples[channel][i], 0.0f);
        for (long i = 5; i < kFrames + 5; ++i)
            ASSERT_EQ(output.samples[channel][i], 0.5f * input.samples[channel][i - 5])
                << channel << ":" << i;
    }
}

// With the test plug-in at Level 1, the output is the input again: integer files come
// back bit for bit, so reading and writing add no error of their own.
TEST(Render, KeepsFormatAndBitDepthAndIntegerSamplesExactly) {
    struct Case {
        const char* name;
        int format;
    };
    for (const Case& c : {Case{"in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                          Case{"in.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24},
                          Case{"in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}}) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        writeAudioFile(folder.file(c.name), {44100, 2, c.format, testSignal(2, kFrames)});
        const std::string out = folder.file(std::string("out-") + c.name);
        const HostRun run = runHost({"render", "--quiet", "--plugin", MONO_DELAY_PLUGIN_PATH,
                                     "--param", "level=1", folder.file(c.name), out});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const AudioFile input = readAudioFile(folder.file(c.name));
        AudioFile output = readAudioFile(out);
        EXPECT_EQ(output.format, c.format);
        for (auto& channel : output.samples) channel.resize(kFrames);  // without the tail
        EXPECT_EQ(output.samples, input.samples);
    }
}

TEST(Render, OutputExtensionAndBitsChooseTheFormat) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"),
                   {44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, testSignal(2, kFrames)});
    struct Case {
        std::vector<std::string> options;
        const char* out;
        int format;
    };
    for (const Case& c : {Case{{}, "out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                          Case{{"--bits", "24"}, "out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
                          Case{{"--bits", "float"}, "out.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
                          Case{{}, "out.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                          Case{{}, "out.raw", SF_FORMAT_WAV | SF_FORMAT_PCM_16}}) {
        SCOPED_TRACE(c.out);
        std::vector<std::string> arguments{"render", "--quiet"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.push_back(folder.file("in.wav"));
        arguments.push_back(folder.file(c.out));
        const HostRun run = runHost(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readAudioFile(folder.file(c.out)).format, c.format);
    }
}

TEST(Render, PresetFileActsAsTheSameValuesGivenWithParam) {
    const std::vector<float> values{0.25f, 0.75f, 0.1f, 0.9f, 0.33f, 0.6f,
                                    0.45f, 0.8f,  1.0f, 0.0f, 0.5f};
    const char* const names[] = {"Gain",  "Volume",   "Attack",    "Release",
                                 "Ratio", "LeftGrid", "RightGrid", "Dry-Wet",
                                 "Power", "Autogain", "Sidechain"};
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2));
    writeText(folder.file("setting.mvz"), printfPresetText(values));

    const HostRun byPreset = runHost({"render", "--json", "--preset", folder.file("setting.mvz"),
                                      folder.file("in.wav"), folder.file("preset.wav")});
    ASSERT_EQ(byPreset.exitCode, 0) << byPreset.err;
    std::vector<std::string> arguments{"render", "--json"};
    for (int i = 0; i < 11; ++i) {
        char assignment[64];
        std::snprintf(assignment, sizeof assignment, "%s=%.10f", names[i],
                      static_cast<double>(values[i]));
        arguments.insert(arguments.end(), {"--param", assignment});
    }
    arguments.insert(arguments.end(), {folder.file("in.wav"), folder.file("param.wav")});
    const HostRun byParam = runHost(arguments);
    ASSERT_EQ(byParam.exitCode, 0) << byParam.err;

    const std::vector<double> presetValues = jsonNumbers(byPreset.out, "value");
    ASSERT_EQ(presetValues.size(), 24u);
    // JSON carries nine significant digits, enough to give back each float exactly.
    for (int i = 0; i < 11; ++i) EXPECT_EQ(static_cast<float>(presetValues[i]), values[i]) << i;
    EXPECT_EQ(presetValues, jsonNumbers(byParam.out, "value"));
    const AudioFile output = readAudioFile(folder.file("preset.wav"));
    EXPECT_GT(largestMagnitude(output.samples), 0.0f);
    EXPECT_EQ(output.samples, readAudioFile(folder.file("param.wav")).samples);
    std::vector<std::pair<int, float>> parameters;
    for (int i = 0; i < 11; ++i) parameters.emplace_back(i, values[i]);
    EXPECT_EQ(output.samples, processDirectly(readAudioFile(folder.file("in.wav")).samples,
                                              48000.0f, 512, parameters));
}

TEST(Render, ParamAfterPresetRefinesIt) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2, 1000));
    writeText(folder.file("setting.mvz"), printfPresetText(std::vector<float>(11, 0.25f)));
    const HostRun run =
        runHost({"render", "--json", "--param", "RATIO=0.5", "--preset", folder.file("setting.mvz"),
                 folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<double> values = jsonNumbers(run.out, "value");
    ASSERT_EQ(values.size(), 24u);
    EXPECT_EQ(values[3], 0.25);
    EXPECT_EQ(values[4], 0.5);
}

TEST(Render, SavePresetWritesTheSettingsUsedAsTheEditorWouldAndReadsBack) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2, 1000));
    writeText(folder.file("start.mvz"), printfPresetText(std::vector<float>(11, 0.25f)));
    const HostRun saving =
        runHost({"render", "--json", "--preset", folder.file("start.mvz"), "--param", "Ratio=0.7",
                 "--param", "23=0.9", "--save-preset", folder.file("saved"),
                 folder.file("in.wav"), folder.file("first.wav")});
    ASSERT_EQ(saving.exitCode, 0) << saving.err;
    const std::vector<double> used = jsonNumbers(saving.out, "value");
    ASSERT_EQ(used.size(), 24u);
    std::vector<float> expected(11, 0.25f);
    expected[4] = 0.7f;
    for (int i = 0; i < 11; ++i) EXPECT_EQ(static_cast<float>(used[i]), expected[i]) << i;
    // Named exactly as given, and the text is the editor's for the values used.
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{"first.wav", "in.wav", "saved", "start.mvz"}));
    EXPECT_EQ(readText(folder.file("saved")), printfPresetText(expected));

    const HostRun reading = runHost({"render", "--json", "--preset", folder.file("saved"),
                                     folder.file("in.wav"), folder.file("second.wav")});
    ASSERT_EQ(reading.exitCode, 0) << reading.err;
    const std::vector<double> read = jsonNumbers(reading.out, "value");
    ASSERT_EQ(read.size(), 24u);
    EXPECT_EQ(std::vector<double>(read.begin(), read.begin() + 11),
              std::vector<double>(used.begin(), used.begin() + 11));
    EXPECT_EQ(readAudioFile(folder.file("first.wav")).samples,
              readAudioFile(folder.file("second.wav")).samples);
}

TEST(Render, JsonSummaryHasPlausibleFigures) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2, 48000));
    const HostRun run =
        runHost({"render", "--json", folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double factor = jsonNumber(run.out, "realTimeFactor");
    EXPECT_TRUE(std::isfinite(factor)) << run.out;
    EXPECT_GT(factor, 0.0);
    EXPECT_GT(jsonNumber(run.out, "cpuSeconds"), 0.0);
    EXPECT_DOUBLE_EQ(jsonNumber(run.out, "audioSeconds"), 1.0);
    EXPECT_EQ(jsonNumber(run.out, "latencySamples"), 3.0);
    // The test signal peaks near -6 dBFS with an RMS near -12 dBFS.
    EXPECT_NEAR(jsonNumber(run.out, "peakDbfs"), -6.0, 1.0);
    EXPECT_NEAR(jsonNumber(run.out, "rmsDbfs"), -12.0, 1.5);
}

TEST(Render, QuietPrintsNothingAndTextSummaryNamesTheLevels) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), floatFile(48000, 2, 1000));
    const HostRun quiet =
        runHost({"render", "--quiet", folder.file("in.wav"), folder.file("quiet.wav")});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    const HostRun text = runHost({"render", folder.file("in.wav"), folder.file("text.wav")});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.err, "");  // no progress bar when stderr is not a terminal
    for (const char* line :
         {"Input level", "Output level", "Gain reduction", "CPU time", "real time"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
}

TEST(Render, WithoutInputRendersTheDemoLoop) {
    TemporaryFolder folder;
    const HostRun run = runHost({"render", "--json", "--rate", "22050", folder.file("demo.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const AudioFile demo = readAudioFile(folder.file("demo.wav"));
    EXPECT_EQ(demo.sampleRate, 22050);
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.frames(), 20 * 22050);
    EXPECT_EQ(demo.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    EXPECT_NEAR(jsonNumber(run.out, "peakDbfs"), -1.0, 0.01);
}

TEST(DemoLoop, IsTheSameEveryTimeAndHasTwoDifferentChannels) {
    const vsthost::StereoBuffer first = vsthost::synthesiseDemoLoop(8000.0, 4.0);
    const vsthost::StereoBuffer second = vsthost::synthesiseDemoLoop(8000.0, 4.0);
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.right, second.right);
    EXPECT_NE(first.left, first.right);
    EXPECT_EQ(first.frames(), 32000);
}

}  // namespace
