// Scanning the preset text: which texts are accepted and what values they give.
#include <gtest/gtest.h>

#include "tests/host/EditorPresetText.h"
#include "tests/host/HostProcess.h"
#include "tools/host/PresetText.h"
#include "tools/host/ToolError.h"

namespace {

using vsthost::PresetValues;
using vsthost::scanPresetText;

std::string presetText(const PresetValues& values, const std::string& header = "Marvolenzik 010000",
                       const std::string& lineEnd = "\n") {
    return editorPresetText({values.begin(), values.end()}, header, lineEnd);
}

constexpr PresetValues kValues{0.0f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.0f};

std::string withoutLastLine(const std::string& text) {
    return text.substr(0, text.rfind('\n', text.size() - 2) + 1);
}

TEST(PresetText, GivesBackTheValuesItWasWrittenFrom) {
    const PresetValues values{0.3f, 0.1f,  0.7f, 0.123456789f, 1.0f, 0.0f,
                              0.5f, 0.25f, 0.9f, 0.01f,        0.66f};
    EXPECT_EQ(scanPresetText(presetText(values)), values);
}

struct ScanCase {
    const char* name;
    std::string text;
    bool accepted;
};

class PresetScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(PresetScan, AcceptsOrRefuses) {
    const auto values = scanPresetText(GetParam().text);
    EXPECT_EQ(values.has_value(), GetParam().accepted);
    if (values) {
        EXPECT_EQ(values->at(2), 0.2f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PresetScan,
    ::testing::Values(
        ScanCase{"as_written", presetText(kValues), true},
        ScanCase{"ten_value_lines", withoutLastLine(presetText(kValues)), false},
        ScanCase{"twelve_value_lines", presetText(kValues) + "Extra 0.5\n", true},
        ScanCase{
            "keys_replaced_by_x",
            "Marvolenzik 010000\nx 0\nx 1\nx 0.2\nx 0.5\nx 0.8\nx 0.3\nx 0.3\nx 1\nx 1\nx 1\nx 0\n",
            true},
        ScanCase{"all_on_one_line",
                 "Marvolenzik 010000 a 0 b 1 c 0.2 d 0.5 e 0.8 f 0.3 g 0.3 h 1 i 1 j 1 k 0", true},
        ScanCase{"carriage_returns", presetText(kValues, "Marvolenzik 010000", "\r\n"), true},
        ScanCase{"other_first_word", presetText(kValues, "Whatever 010000"), true},
        ScanCase{"very_long_first_word", presetText(kValues, std::string(200, 'M') + " 010000"),
                 true},
        ScanCase{"version_10000", presetText(kValues, "Marvolenzik 10000"), true},
        ScanCase{"version_20000", presetText(kValues, "Marvolenzik 20000"), true},
        ScanCase{"version_1e5", presetText(kValues, "Marvolenzik 1e5"), true},
        ScanCase{"version_009999", presetText(kValues, "Marvolenzik 009999"), false},
        ScanCase{"version_1.0", presetText(kValues, "Marvolenzik 1.0"), false},
        ScanCase{"no_version", presetText(kValues, "Marvolenzik"), false},
        ScanCase{"decimal_comma",
                 "Marvolenzik 010000\nA 0,5\nB 1\nC 0.2\nD 0.5\nE 0.8\nF 0.3\nG 0.3\nH 1\nI 1\nJ "
                 "1\nK 0\n",
                 false},
        ScanCase{"value_not_a_number",
                 "Marvolenzik 010000\nA 0\nB 1\nC 0.2\nD half\nE 0.8\nF 0.3\nG 0.3\nH 1\nI 1\nJ "
                 "1\nK 0\n",
                 false},
        ScanCase{
            "value_not_finite",
            "Marvolenzik 010000\nA 0\nB 1\nC 0.2\nD nan\nE 0.8\nF 0.3\nG 0.3\nH 1\nI 1\nJ 1\nK 0\n",
            false},
        ScanCase{"empty", "", false}),
    [](const ::testing::TestParamInfo<ScanCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '.') c = '_';
        return name;
    });

TEST(PresetText, ValuesAreNeitherClampedNorCompared) {
    PresetValues values = kValues;
    values[0] = 1.5f;
    values[4] = -0.2f;
    EXPECT_EQ(scanPresetText(presetText(values)), values);
}

TEST(PresetText, FileIsReadOnlyAsFarAsTheEditorsBufferHolds) {
    TemporaryFolder folder;
    writeText(folder.file("short.mvz"), presetText(kValues));
    EXPECT_EQ(vsthost::readPresetFile(folder.file("short.mvz")), kValues);
    // The same text after 9,990 spaces: its last values lie beyond the 9,999 characters read.
    writeText(folder.file("padded.mvz"), std::string(9990, ' ') + presetText(kValues));
    EXPECT_THROW(vsthost::readPresetFile(folder.file("padded.mvz")), vsthost::ToolError);
}

}  // namespace
