// The host tool's commands on CLAP plug-ins: ours beside its VST 2.4 build, and a third
// party's from Debian as a control.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"
#include "tests/presets/PrintfPresetText.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kPeer = "/usr/lib/clap/ZamCompX2.clap";

AudioFile noise(int sampleRate, long frames) {
    return {sampleRate, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, testSignal(2, frames)};
}

TEST(ClapCommands, InfoShowsOurDescriptorPortsAndParametersInRealUnits) {
    const HostRun run = runHost({"info", MARVOLENZIK_CLAP_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"Format         CLAP", "Id             example.marvolenzik.compressor", "Name           Marvolenzik",
          "Vendor         marvolenzik.example", "Features       audio-effect, compressor, stereo",
          "Audio inputs   1: \"Stereo In\" 2 channels (main)", "Latency        3 samples",
          "Editor         1000 x 700 pixels, x11, embedded", "Parameters     11", "Off (stepped)"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    EXPECT_NE(run.out.find("1  Volume                       -50.000       0.000       0.000  0.00 dB"), std::string::npos)
        << run.out;
}

TEST(ClapCommands, RenderSoundsAsTheVst2BuildAndReportsGainReduction) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(44100, 30000));
    const HostRun vst2 = runHost({"render", "--json", "--param", "Gain=0.5", "--param", "Ratio=0.3",
                                  folder.file("in.wav"), folder.file("vst2.wav")});
    const HostRun clap = runHost({"render", "--json", "--plugin", MARVOLENZIK_CLAP_PATH, "--param", "Gain=25",
                                  "--param", "Ratio=30", folder.file("in.wav"), folder.file("clap.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(clap.exitCode, 0) << clap.err;
    EXPECT_EQ(readAudioFile(folder.file("clap.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_GT(jsonNumber(clap.out, "maxGainReductionDb"), 1.0) << "reported by the plug-in itself";
    EXPECT_EQ(jsonNumber(clap.out, "maxGainReductionDb"), jsonNumber(vst2.out, "maxGainReductionDb"));
}

// A preset file holds normalised values; the CLAP build takes them as the VST 2.4 build does.
TEST(ClapCommands, PresetFilesActTheSameOnBothFormats) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 20000));
    writeText(folder.file("p.mvz"), printfPresetText({0.25f, 0.75f, 0.1f, 0.9f, 0.33f, 0.6f, 0.45f, 0.8f, 1.0f, 0.0f, 0.5f}));
    const HostRun vst2 = runHost({"render", "--quiet", "--preset", folder.file("p.mvz"), folder.file("in.wav"),
                                  folder.file("vst2.wav")});
    const HostRun clap = runHost({"render", "--quiet", "--plugin", MARVOLENZIK_CLAP_PATH, "--preset",
                                  folder.file("p.mvz"), "--save-preset", folder.file("back.mvz"), folder.file("in.wav"),
                                  folder.file("clap.wav")});
    ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
    ASSERT_EQ(clap.exitCode, 0) << clap.err;
    EXPECT_EQ(readAudioFile(folder.file("clap.wav")).samples, readAudioFile(folder.file("vst2.wav")).samples);
    EXPECT_EQ(readText(folder.file("back.mvz")), readText(folder.file("p.mvz"))) << "the same values come back";
}

TEST(ClapCommands, ParamValuesLieInTheParametersRange) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 1000));
    const HostRun run = runHost({"render", "--plugin", MARVOLENZIK_CLAP_PATH, "--param", "Volume=6",
                                 folder.file("in.wav"), folder.file("out.wav")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("Volume takes values from -50 to 0"), std::string::npos) << run.err;
}

TEST(ClapCommands, AThirdPartyClapPluginIsReadRenderedAndBenched) {
    if (!std::filesystem::exists(kPeer)) GTEST_SKIP() << kPeer << " not installed";
    const HostRun info = runHost({"info", kPeer});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("Id             com.zamaudio.ZamCompX2"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Threshold"), std::string::npos) << info.out;

    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 48000));
    const HostRun render = runHost({"render", "--json", "--plugin", kPeer, "--param", "Threshold=-30",
                                    folder.file("in.wav"), folder.file("out.wav")});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const AudioFile in = readAudioFile(folder.file("in.wav")), out = readAudioFile(folder.file("out.wav"));
    EXPECT_EQ(out.frames(), in.frames());
    EXPECT_NE(out.samples, in.samples) << "it compressed";

    const HostRun bench = runHost({"bench", "--seconds", "0.5", "--passes", "1", MARVOLENZIK_CLAP_PATH, kPeer});
    ASSERT_EQ(bench.exitCode, 0) << bench.err;
    EXPECT_NE(bench.out.find("| ZamCompX2 (ZamCompX2.clap) | 1 |"), std::string::npos) << bench.out;
}

}  // namespace
