// The host tool's commands on our CLAP and LV2 builds beside the VST 2.4 one (the same
// sound from the same settings in each format's own terms), and on a third party's CLAP
// and LV2 compressor from Debian as a control.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"
#include "tests/presets/PrintfPresetText.h"
#include "tests/support/TestFiles.h"

namespace {

AudioFile noise(int sampleRate, long frames) {
    return {sampleRate, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, testSignal(2, frames)};
}

struct Format {
    const char* name;
    const char* ours;
    const char* peer;            // Debian's ZamCompX2 in this format
    const char* peerLocation;    // how render names it
    const char* peerIdentity;    // what info shows of it
    const char* peerBenchRow;
};

const Format kFormats[] = {
    {"Clap", MARVOLENZIK_CLAP_PATH, "/usr/lib/clap/ZamCompX2.clap", "/usr/lib/clap/ZamCompX2.clap",
     "Id             com.zamaudio.ZamCompX2", "| ZamCompX2 (ZamCompX2.clap) | 1 |"},
    {"Lv2", MARVOLENZIK_LV2_BUNDLE, "/usr/lib/lv2/ZamCompX2.lv2", "lv2:urn:zamaudio:ZamCompX2",
     "URI            urn:zamaudio:ZamCompX2", "| ZamCompX2 (ZamCompX2.lv2) | 1 |"},
};

class FormatCommands : public ::testing::TestWithParam<Format> {};

// Settings in real units (dB, the read-out's numbers) against the VST 2.4 build's 0 to 1.
TEST_P(FormatCommands, RenderSoundsAsTheVst2BuildAndReportsGainReduction) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(96000, 30000));
    const HostRun vst2 = runHost({"render", "--json", "--param", "Gain=0.5", "--param", "Ratio=0.3",
                                  folder.file("in.wav"), folder.file("vst2.wav")});
    const HostRun other = runHost({"render", "--json", "--plugin", GetParam().ours, "--param", "Gain=25", "--param",
                                   "Ratio=30", folder.file("in.wav"), folder.file("other.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(readAudioFile(folder.file("other.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_GT(jsonNumber(other.out, "maxGainReductionDb"), 1.0) << "reported by the plug-in itself";
    EXPECT_EQ(jsonNumber(other.out, "maxGainReductionDb"), jsonNumber(vst2.out, "maxGainReductionDb"));
}

// A preset file holds normalised values; each format takes them as the VST 2.4 build does.
TEST_P(FormatCommands, PresetFilesActAsOnTheVst2Build) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 20000));
    writeText(folder.file("p.mvz"), printfPresetText({0.25f, 0.75f, 0.1f, 0.9f, 0.33f, 0.6f, 0.45f, 0.8f, 1.0f, 0.0f, 0.5f}));
    const HostRun vst2 = runHost({"render", "--quiet", "--preset", folder.file("p.mvz"), folder.file("in.wav"),
                                  folder.file("vst2.wav")});
    const HostRun other = runHost({"render", "--quiet", "--plugin", GetParam().ours, "--preset", folder.file("p.mvz"),
                                   "--save-preset", folder.file("back.mvz"), folder.file("in.wav"),
                                   folder.file("other.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(readAudioFile(folder.file("other.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_EQ(readText(folder.file("back.mvz")), readText(folder.file("p.mvz"))) << "the same values come back";
}

TEST_P(FormatCommands, AThirdPartyPluginIsReadRenderedAndBenched) {
    const Format& format = GetParam();
    if (!std::filesystem::exists(format.peer)) GTEST_SKIP() << format.peer << " not installed";
    const HostRun info = runHost({"info", format.peer});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find(format.peerIdentity), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Threshold"), std::string::npos) << info.out;

    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 48000));
    const HostRun render = runHost({"render", "--json", "--plugin", format.peerLocation, "--param", "Threshold=-30",
                                    folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const AudioFile in = readAudioFile(folder.file("in.wav")), out = readAudioFile(folder.file("out.wav"));
    EXPECT_EQ(out.frames(), in.frames());
    EXPECT_NE(out.samples, in.samples) << "it compressed";

    const HostRun bench = runHost({"bench", "--seconds", "0.5", "--passes", "1", format.ours, format.peer});
    ASSERT_EQ(bench.exitCode, 0) << bench.err;
    EXPECT_NE(bench.out.find(format.peerBenchRow), std::string::npos) << bench.out;
}

INSTANTIATE_TEST_SUITE_P(Host, FormatCommands, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

}  // namespace
