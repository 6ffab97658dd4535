// The host tool's commands on our CLAP build: what info shows, and settings in its own
// terms.
#include <gtest/gtest.h>
#include <sndfile.h>

#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"
#include "tests/support/TestFiles.h"

namespace {

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

TEST(ClapCommands, ParamValuesLieInTheParametersRange) {
    TemporaryFolder folder;
    writeAudioFile(folder.file("in.wav"), noise(48000, 1000));
    const HostRun run = runHost({"render", "--plugin", MARVOLENZIK_CLAP_PATH, "--param", "Volume=6",
                                 folder.file("in.wav"), folder.file("out.wav")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("Volume takes values from -50 to 0"), std::string::npos) << run.err;
}

}  // namespace
