// The host tool's commands on LV2 plug-ins: our bundle beside the VST 2.4 build, and a
// third party's from Debian as a control, by its bundle and by its URI.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"
#include "tests/presets/PrintfPresetText.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kPeer = "/usr/lib/lv2/ZamCompX2.lv2";

AudioFile noise(int sampleRate, long frames) {
    return {sampleRate, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, testSignal(2, frames)};
}

TEST(Lv2Commands, InfoShowsOurDescriptionPortsAndUnits) {
    const HostRun run = runHost({"info", MARVOLENZIK_LV2_BUNDLE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"Format         LV2", "URI            https://marvolenzik.example/lv2/marvolenzik",
          "Name           Marvolenzik", "Vendor         marvolenzik.example", "Class          Compressor Plugin",
          "Requires       none", "Latency        3 samples at 48000 Hz (reported by a port)", "ui#X11UI",
          "Ports          20", "gr_left             Gain reduction left                0          25              db"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    EXPECT_NE(run.out.find("      9  left_grid           LeftGrid                           0         100          30  pc"),
              std::string::npos)
        << "the default written short\n" << run.out;
}

TEST(Lv2Commands, RenderSoundsAsTheVst2BuildAndReportsGainReduction) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(96000, 30000));
    const HostRun vst2 = runHost({"render", "--json", "--param", "Gain=0.5", "--param", "Ratio=0.3",
                                  folder.file("in.wav"), folder.file("vst2.wav")});
    const HostRun lv2 = runHost({"render", "--json", "--plugin", MARVOLENZIK_LV2_BUNDLE, "--param", "Gain=25",
                                 "--param", "Ratio=30", folder.file("in.wav"), folder.file("lv2.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(lv2.exitCode, 0) << lv2.err;
    EXPECT_EQ(readAudioFile(folder.file("lv2.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_GT(jsonNumber(lv2.out, "maxGainReductionDb"), 1.0) << "read from its meter ports";
    EXPECT_EQ(jsonNumber(lv2.out, "maxGainReductionDb"), jsonNumber(vst2.out, "maxGainReductionDb"));
}

// A preset file's normalised values reach the ports as the real values they stand for.
TEST(Lv2Commands, PresetFilesActTheSameOnBothFormats) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 20000));
    writeText(folder.file("p.mvz"), printfPresetText({0.25f, 0.75f, 0.1f, 0.9f, 0.33f, 0.6f, 0.45f, 0.8f, 1.0f, 0.0f, 0.5f}));
    const HostRun vst2 = runHost({"render", "--quiet", "--preset", folder.file("p.mvz"), folder.file("in.wav"),
                                  folder.file("vst2.wav")});
    const HostRun lv2 = runHost({"render", "--quiet", "--plugin", MARVOLENZIK_LV2_BUNDLE, "--preset",
                                 folder.file("p.mvz"), "--save-preset", folder.file("back.mvz"), folder.file("in.wav"),
                                 folder.file("lv2.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(lv2.exitCode, 0) << lv2.err;
    EXPECT_EQ(readAudioFile(folder.file("lv2.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_EQ(readText(folder.file("back.mvz")), readText(folder.file("p.mvz"))) << "the same values come back";
}

TEST(Lv2Commands, AThirdPartyLv2PluginIsReadRenderedAndBenched) {
    if (!std::filesystem::exists(kPeer)) GTEST_SKIP() << kPeer << " not installed";
    const HostRun info = runHost({"info", kPeer});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("URI            urn:zamaudio:ZamCompX2"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Threshold"), std::string::npos) << info.out;

    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 48000));
    const HostRun render = runHost({"render", "--json", "--plugin", "lv2:urn:zamaudio:ZamCompX2", "--param",
                                    "Threshold=-30", folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const AudioFile in = readAudioFile(folder.file("in.wav")), out = readAudioFile(folder.file("out.wav"));
    EXPECT_EQ(out.frames(), in.frames());
    EXPECT_NE(out.samples, in.samples) << "it compressed";

    const HostRun bench = runHost({"bench", "--seconds", "0.5", "--passes", "1", MARVOLENZIK_LV2_BUNDLE, kPeer});
    ASSERT_EQ(bench.exitCode, 0) << bench.err;
    EXPECT_NE(bench.out.find("| ZamCompX2 (ZamCompX2.lv2) | 1 |"), std::string::npos) << bench.out;
}

}  // namespace
