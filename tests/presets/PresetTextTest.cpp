// Building, scanning and applying the preset text.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "effect/Rovuduradir.h"
#include "presets/PresetState.h"
#include "tests/presets/ArrayParameters.h"
#include "tests/presets/PrintfPresetText.h"

namespace {

const std::vector<float> kValues{0.0f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.0f};

// Slots 0 to 10 of what the last scan found.
std::vector<float> scannedValues(const PresetState& state) {
    return {state.presetValues().begin(), state.presetValues().begin() + kPresetParameterCount};
}

// Builds the text of `values` (parameters 0 to 10) and returns it.
std::string presetTextOf(const std::vector<float>& values) {
    ArrayParameters parameters;
    std::copy(values.begin(), values.end(), parameters.values.begin());
    PresetState state;
    std::array<char, kPresetTextBytes> buffer;
    state.buildPresetText(parameters, buffer);
    return buffer.data();
}

TEST(PresetText, IsWhatPrintfWritesAndGoesToBothBuffers) {
    ArrayParameters parameters;
    const std::vector<float> values{0.5f,  1.0f,    0.3f,   -0.2f, 1.5f, 0.0f,
                                    -0.0f, 1.0f / 2048, 1e-12f, 3e38f, 0.123456789f};
    std::copy(values.begin(), values.end(), parameters.values.begin());
    parameters.values[11] = 0.77f;  // not part of a preset
    PresetState state;
    std::array<char, kPresetTextBytes> buffer;
    buffer.fill('#');
    const std::size_t length = state.buildPresetText(parameters, buffer);
    const std::string expected = printfPresetText(values);
    EXPECT_EQ(std::string(buffer.data()), expected);
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(state.presetOutText(), expected);
    EXPECT_NE(expected.find("InGain 0.5000000000\nOutGain 1.0000000000\nAtk 0.3000000119\n"),
              std::string::npos);
    EXPECT_TRUE(parameters.automated.empty());
}

TEST(PresetText, NonFiniteValuesAreWrittenAsTheSoundHearsThemAndTheTextLoadsBack) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> values{nan, inf, -inf, 0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.0f};
    const std::string text = presetTextOf(values);
    EXPECT_EQ(text.substr(0, text.find("Rls")),
              "Marvolenzik 010000\nInGain 0.0000000000\nOutGain 1.0000000000\nAtk 0.0000000000\n");
    PresetState reader;
    ArrayParameters target;
    ASSERT_TRUE(reader.pastePresetText(text, target));
    EXPECT_EQ(target.automated.size(), 11u);
}

TEST(PresetText, RandomValuesComeBackWithinTenDecimalsAndSinglePrecision) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    ArrayParameters parameters;
    PresetState state;
    for (int run = 0; run < 2000; ++run) {
        for (int i = 0; i < kPresetParameterCount; ++i) parameters.values[i] = unit(random);
        std::array<char, kPresetTextBytes> buffer;
        state.buildPresetText(parameters, buffer);
        state.fillPresetInText(buffer.data());
        ASSERT_TRUE(state.parsePresetText()) << buffer.data();
        for (int i = 0; i < kPresetParameterCount; ++i) {
            const float written = parameters.values[i];
            const float read = state.presetValues()[i];
            char decimal[32];
            std::snprintf(decimal, sizeof decimal, "%.10f", static_cast<double>(written));
            ASSERT_EQ(read, std::strtof(decimal, nullptr)) << decimal;
            const double halfUlp = (std::nextafter(read, 2.0f) - read) / 2.0;
            ASSERT_LE(std::fabs(static_cast<double>(read) - written), 5e-11 + halfUlp) << decimal;
        }
    }
}

struct ScanCase {
    const char* name;
    std::string text;
    bool accepted;
};

std::string withoutLastLine(const std::string& text) {
    return text.substr(0, text.rfind('\n', text.size() - 2) + 1);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

class PresetScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(PresetScan, AcceptsOrRefuses) {
    PresetState state;
    state.fillPresetInText(GetParam().text);
    ASSERT_EQ(state.parsePresetText(), GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(state.presetValues()[2], 0.2f);
        EXPECT_EQ(state.presetValues()[7], 1.0f);
    }
}

const std::string kText = printfPresetText(kValues);

INSTANTIATE_TEST_SUITE_P(
    Texts, PresetScan,
    ::testing::Values(
        ScanCase{"as_written", kText, true},
        ScanCase{"ten_value_lines", withoutLastLine(kText), false},
        ScanCase{"twelve_value_lines", kText + "Extra 0.5\n", true},
        ScanCase{"text_after_the_eleventh_value", kText + "notes: warm, 0,5 dB; 1e999\n", true},
        ScanCase{
            "keys_replaced_by_x",
            "Marvolenzik 010000\nx 0\nx 1\nx 0.2\nx 0.5\nx 0.8\nx 0.3\nx 0.3\nx 1\nx 1\nx 1\nx 0\n",
            true},
        ScanCase{"all_on_one_line",
                 "Marvolenzik 010000 a 0 b 1 c 0.2 d 0.5 e 0.8 f 0.3 g 0.3 h 1 i 1 j 1 k 0", true},
        ScanCase{"carriage_returns", printfPresetText(kValues, "Marvolenzik 010000", "\r\n"), true},
        ScanCase{"tabs_form_feeds_vertical_tabs",
                 "\t\fMarvolenzik\v010000\ta\t0 b 1 c 0.2 d 0.5 e 0.8 f 0.3 g 0.3 h 1 i 1 j 1 k 0",
                 true},
        ScanCase{"number_and_key_not_separated",
                 "Marvolenzik 010000a 0b 1c 0.2d 0.5f 0.8g 0.3h 0.3i 1j 1k 1m 0", true},
        ScanCase{"other_first_word", printfPresetText(kValues, "Whatever 010000"), true},
        ScanCase{"very_long_first_word", printfPresetText(kValues, std::string(200, 'M') + " 010000"),
                 true},
        ScanCase{"version_10000", printfPresetText(kValues, "Marvolenzik 10000"), true},
        ScanCase{"version_20000", printfPresetText(kValues, "Marvolenzik 20000"), true},
        ScanCase{"version_1e5", printfPresetText(kValues, "Marvolenzik 1e5"), true},
        ScanCase{"version_009999", printfPresetText(kValues, "Marvolenzik 009999"), false},
        ScanCase{"version_1_0", printfPresetText(kValues, "Marvolenzik 1.0"), false},
        ScanCase{"version_infinite", printfPresetText(kValues, "Marvolenzik 1e39"), false},
        ScanCase{"no_version", printfPresetText(kValues, "Marvolenzik"), false},
        ScanCase{"decimal_comma", replaced(kText, "0.5000000000", "0,5000000000"), false},
        ScanCase{"value_not_a_number", replaced(kText, "0.5000000000", "half"), false},
        ScanCase{"value_nan", replaced(kText, "0.5000000000", "nan"), false},
        ScanCase{"value_infinity", replaced(kText, "0.5000000000", "inf"), false},
        ScanCase{"value_too_large_for_a_float", replaced(kText, "0.5000000000", "4e38"), false},
        ScanCase{"value_hexadecimal", replaced(kText, "0.5000000000", "0x1p-1"), false},
        ScanCase{"last_value_hexadecimal", replaced(kText, "SC 0.0000000000", "SC 0x0p0"), false},
        ScanCase{"exponent_without_digits", replaced(kText, "0.5000000000", "5e-"), false},
        ScanCase{"empty", "", false},
        ScanCase{"white_space_only", " \n\r\n\t ", false}),
    [](const ::testing::TestParamInfo<ScanCase>& info) { return info.param.name; });

TEST(PresetText, KeepsTheFirst42CharactersOfTheFirstWordAndTheNumbers) {
    PresetState state;
    state.fillPresetInText(printfPresetText(kValues, std::string(41, 'a') + "bcd 1e5"));
    ASSERT_TRUE(state.parsePresetText());
    EXPECT_EQ(state.presetHeaderWord(), std::string(41, 'a') + "b");
    EXPECT_EQ(state.presetVersion(), 100000.0f);
    EXPECT_EQ(scannedValues(state), kValues);
}

TEST(PresetText, ClearsAllValueSlotsBeforeEachScan) {
    PresetState state;
    state.fillPresetInText(printfPresetText(std::vector<float>(11, 0.9f)));
    ASSERT_TRUE(state.parsePresetText());
    state.fillPresetInText("Marvolenzik 010000\nInGain 0.25\nOutGain 0.5\n");
    EXPECT_FALSE(state.parsePresetText());
    const std::vector<float> expected{0.25f, 0.5f, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(scannedValues(state), expected);
    for (std::size_t slot = 11; slot < kPresetValueSlots; ++slot)
        EXPECT_EQ(state.presetValues()[slot], 0.0f);
}

// The effect itself, which the editor hands to the presets as their parameters, with the
// host's requests recorded: what a host sees of a preset.
struct HostRequest {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};
std::vector<HostRequest> hostRequests;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    hostRequests.push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

TEST(PresetApplied, ReachesTheHostAsElevenAutomationsInIndexOrderUnclamped) {
    Rovuduradir effect(&recordingHost);
    for (int index = 0; index < 24; ++index) effect.setParameter(index, 0.01f * index);
    std::vector<float> values = kValues;
    values[0] = 1.5f;
    values[4] = -0.2f;
    PresetState state;
    state.fillPresetInText(printfPresetText(values));
    ASSERT_TRUE(state.parsePresetText());
    hostRequests.clear();
    state.applyPresetValues(effect);

    std::vector<HostRequest> automations;
    for (const HostRequest& request : hostRequests)
        if (request.opcode == audioMasterAutomate) automations.push_back(request);
    ASSERT_EQ(automations.size(), 11u);
    for (int index = 0; index < kPresetParameterCount; ++index) {
        EXPECT_EQ(automations[index].index, index);
        EXPECT_EQ(automations[index].opt, values[index]);
        EXPECT_EQ(effect.getParameter(index), values[index]);
    }
    EXPECT_EQ(effect.getParameter(0), 1.5f);
    EXPECT_EQ(effect.getParameter(4), -0.2f);
    for (int index = 11; index < 24; ++index) EXPECT_EQ(effect.getParameter(index), 0.01f * index);

    // And the effect's values, read back, build the same text.
    EXPECT_EQ(presetTextOf({values.begin(), values.end()}), printfPresetText(values));
    std::array<char, kPresetTextBytes> buffer;
    state.buildPresetText(effect, buffer);
    EXPECT_EQ(std::string(buffer.data()), printfPresetText(values));
}

// Hosts set the process locale; a decimal comma must change neither the text written nor
// the text read.
class UnderDecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "no de_DE.UTF-8 locale (tools/setup-debian.sh makes one)";
        char probe[8];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        ASSERT_STREQ(probe, "0,5");
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

private:
    std::string previous_;
};

TEST_F(UnderDecimalCommaLocale, TheTextIsTheSame) {
    std::setlocale(LC_ALL, "C");
    const std::string inC = presetTextOf(kValues);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(presetTextOf(kValues), inC);
    PresetState state;
    state.fillPresetInText(inC);
    ASSERT_TRUE(state.parsePresetText());
    EXPECT_EQ(scannedValues(state), kValues);
    state.fillPresetInText(replaced(inC, "0.5000000000", "0,5000000000"));
    EXPECT_FALSE(state.parsePresetText());
}

}  // namespace
