// Bad input to `render`: one clear line on stderr, a non-zero exit, and OUT untouched:
// absent if it was absent, unchanged if it existed, and no temporary file left over.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "tests/host/HostProcess.h"
#include "tests/host/TestAudio.h"

namespace {

struct BadRender {
    const char* name;
    std::vector<std::string> arguments;  // IN, OUT and the files are added below
    int exitCode;
    const char* message;  // part of the one line
};

class RenderRefuses : public ::testing::TestWithParam<BadRender> {
protected:
    void SetUp() override {
        writeAudioFile(folder.file("in.wav"),
                       {48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, testSignal(2, 1000)});
        writeAudioFile(folder.file("three.wav"),
                       {48000, 3, SF_FORMAT_WAV | SF_FORMAT_PCM_16, testSignal(3, 1000)});
        writeText(folder.file("notes.txt"), "not audio\n");
        writeText(folder.file("ten-values.mvz"),
                  "Marvolenzik 010000\nA 0.1\nB 0.1\nC 0.1\nD 0.1\n"
                  "E 0.1\nF 0.1\nG 0.1\nH 0.1\nI 0.1\nJ 0.1\n");
        writeText(folder.file("good.mvz"),
                  "Marvolenzik 010000\nA 0.1\nB 0.1\nC 0.1\nD 0.1\n"
                  "E 0.1\nF 0.1\nG 0.1\nH 0.1\nI 0.1\nJ 0.1\nK 0.1\n");
        std::filesystem::create_directory(folder.file("folder.wav"));
        before = folder.entries();
    }

    // Placeholders in the table: @name stands for a file in the folder.
    std::vector<std::string> resolve(const std::vector<std::string>& arguments) const {
        std::vector<std::string> resolved{"render"};
        for (const std::string& argument : arguments)
            resolved.push_back(argument.rfind('@', 0) == 0 ? folder.file(argument.substr(1))
                                                           : argument);
        return resolved;
    }

    void expectRefused(const HostRun& run, const BadRender& bad) {
        EXPECT_EQ(run.exitCode, bad.exitCode) << run.err;
        EXPECT_EQ(run.err.rfind("marvolenzik-host render: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(bad.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
    }

    TemporaryFolder folder;
    std::vector<std::string> before;
};

TEST_P(RenderRefuses, LeavingNoOutputBehind) {
    const HostRun run = runHost(resolve(GetParam().arguments));
    expectRefused(run, GetParam());
    EXPECT_EQ(folder.entries(), before);
}

TEST_P(RenderRefuses, LeavingAnExistingOutputAsItWas) {
    writeText(folder.file("out.wav"), "the previous render");
    before = folder.entries();
    const HostRun run = runHost(resolve(GetParam().arguments));
    expectRefused(run, GetParam());
    EXPECT_EQ(folder.entries(), before);
    EXPECT_EQ(readText(folder.file("out.wav")), "the previous render");
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, RenderRefuses,
    ::testing::Values(
        BadRender{"missing_input", {"@missing.wav", "@out.wav"}, 1, "cannot open"},
        BadRender{"input_is_a_folder", {"@folder.wav", "@out.wav"}, 1, "not a regular file"},
        BadRender{"unsupported_format", {"@notes.txt", "@out.wav"}, 1, "not in an audio format"},
        BadRender{"three_channels", {"@three.wav", "@out.wav"}, 1, "has 3 channels"},
        BadRender{"unknown_parameter",
                  {"--param", "Loudness=0.5", "@in.wav", "@out.wav"},
                  1,
                  "unknown parameter 'Loudness'"},
        BadRender{"value_not_a_number",
                  {"--param", "Ratio=loud", "@in.wav", "@out.wav"},
                  1,
                  "'loud' is not a number"},
        BadRender{"value_not_normalised",
                  {"--param", "Ratio=80", "@in.wav", "@out.wav"},
                  1,
                  "from 0 to 1"},
        BadRender{
            "index_out_of_range", {"--param", "24=0.5", "@in.wav", "@out.wav"}, 1, "out of range"},
        BadRender{"plugin_not_a_library",
                  {"--plugin", "@notes.txt", "@in.wav", "@out.wav"},
                  1,
                  "cannot load plug-in"},
        BadRender{"plugin_missing",
                  {"--plugin", "@missing.so", "@in.wav", "@out.wav"},
                  1,
                  "cannot load plug-in"},
        BadRender{"plugin_answers_null",
                  {"--plugin", NULL_PLUGIN_PATH, "@in.wav", "@out.wav"},
                  1,
                  "answered null"},
        BadRender{"preset_missing",
                  {"--preset", "@missing.mvz", "@in.wav", "@out.wav"},
                  1,
                  "cannot open preset"},
        BadRender{"preset_with_ten_values",
                  {"--preset", "@ten-values.mvz", "@in.wav", "@out.wav"},
                  1,
                  "is not a Marvolenzik preset"},
        BadRender{
            "preset_for_another_plugin",
            {"--plugin", MONO_DELAY_PLUGIN_PATH, "--preset", "@good.mvz", "@in.wav", "@out.wav"},
            1,
            "is not Marvolenzik"},
        BadRender{"preset_path_too_long",
                  {"--preset", "@" + std::string(256, 'p'), "@in.wav", "@out.wav"},
                  1,
                  "longer than 255 characters"},
        BadRender{"preset_path_empty",
                  {"--preset", "", "@in.wav", "@out.wav"},
                  1,
                  "the preset path is empty"},
        BadRender{"save_preset_for_another_plugin",
                  {"--plugin", MONO_DELAY_PLUGIN_PATH, "--save-preset", "@saved.mvz", "@in.wav",
                   "@out.wav"},
                  1,
                  "is not Marvolenzik"},
        BadRender{"save_preset_folder_missing",
                  {"--save-preset", "@nowhere/saved.mvz", "@in.wav", "@out.wav"},
                  1,
                  "cannot write preset"},
        BadRender{
            "output_folder_missing", {"@in.wav", "@nowhere/out.wav"}, 1, "cannot write beside"},
        BadRender{"bits_the_container_cannot_hold",
                  {"--bits", "float", "@in.wav", "@out.flac"},
                  2,
                  "cannot hold"},
        BadRender{
            "unknown_option", {"--loud", "@in.wav", "@out.wav"}, 2, "unknown option '--loud'"},
        BadRender{"block_not_a_number", {"--block", "big", "@in.wav", "@out.wav"}, 2, "--block"},
        BadRender{"no_output_named", {}, 2, "needs [IN] OUT"}),
    [](const ::testing::TestParamInfo<BadRender>& info) { return info.param.name; });

}  // namespace
