// The clipboard's side: which texts count as presets, and hostile texts handled within
// their bounds.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "presets/PresetState.h"
#include "tests/presets/ArrayParameters.h"
#include "tests/presets/PrintfPresetText.h"

namespace {

const std::vector<float> kValues{0.4f, 0.6f, 0.2f, 0.5f, 0.8f, 0.3f, 0.35f, 1.0f, 1.0f, 0.0f, 0.6f};
const std::string kText = printfPresetText(kValues);

// A copy of the text in memory of exactly its length, with no terminating zero, so that
// the address sanitizer catches any read past it.
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& text)
        : size_(text.size()), bytes_(std::make_unique<char[]>(text.size())) {
        std::copy(text.begin(), text.end(), bytes_.get());
    }
    std::string_view view() const { return {bytes_.get(), size_}; }

private:
    std::size_t size_;
    std::unique_ptr<char[]> bytes_;
};

struct Paste {
    bool applied;
    std::vector<float> values;
};

Paste paste(PresetState& state, const std::string& text) {
    ArrayParameters parameters;
    const bool applied = state.pastePresetText(ExactBuffer(text).view(), parameters);
    std::vector<float> values;
    for (const auto& [index, value] : parameters.automated) values.push_back(value);
    return {applied, values};
}

TEST(ClipboardText, ProductWordMustLieWithinTheFirst19Characters) {
    PresetState state;
    EXPECT_TRUE(paste(state, kText).applied);
    EXPECT_TRUE(paste(state, "12345678" + kText).applied);
    EXPECT_TRUE(paste(state, "Preset:Marvolenzik 010000" + kText.substr(18)).applied);
    for (const std::string& text :
         {"123456789" + kText, "marvolenzik" + kText.substr(11), kText.substr(1),
          std::string("Marvolenzi"), std::string(), "\n\n\n\n\n\n\n\n\n\n" + kText}) {
        PresetState fresh;
        fresh.fillPresetInText("what was there");
        const Paste result = paste(fresh, text);
        EXPECT_FALSE(result.applied) << text;
        EXPECT_TRUE(result.values.empty());
        EXPECT_EQ(fresh.presetInText(), "what was there");
    }
}

TEST(ClipboardText, WithTheProductWordButNotAPresetIsKeptAndNotApplied) {
    PresetState state;
    EXPECT_FALSE(paste(state, "Marvolenzik is a compressor.").applied);
    EXPECT_EQ(state.presetInText(), "Marvolenzik is a compressor.");
}

TEST(ClipboardText, CopiedFromOneStatePastedIntoAnotherGivesTheSameValues) {
    ArrayParameters source;
    std::copy(kValues.begin(), kValues.end(), source.values.begin());
    PresetState copier;
    std::array<char, kPresetTextBytes> clipboard;
    const std::size_t length = copier.buildPresetText(source, clipboard);
    PresetState paster;
    const Paste result = paste(paster, std::string(clipboard.data(), length));
    EXPECT_TRUE(result.applied);
    EXPECT_EQ(result.values, kValues);
}

TEST(ClipboardText, LongTextsAreCutAndKeptOnlyWhenTheCutChangesNothing) {
    PresetState state;
    const Paste withNotes = paste(state, kText + std::string(1 << 20, 'n'));
    EXPECT_TRUE(withNotes.applied);
    EXPECT_EQ(withNotes.values, kValues);
    EXPECT_EQ(state.presetInText().size(), kLongestPresetText);

    // The last value's digits run on past the 9,999th character.
    std::string runsOn = kText.substr(0, kText.size() - 1);
    runsOn += std::string(kLongestPresetText + 10 - runsOn.size(), '5');
    EXPECT_FALSE(paste(state, runsOn).applied);
    EXPECT_EQ(state.presetInText().size(), kLongestPresetText);
}

TEST(ClipboardText, EndsAtItsFirstZeroByte) {
    PresetState state;
    EXPECT_TRUE(paste(state, kText + std::string("\0garbage", 8)).applied);
    const std::string half = kText.substr(0, 60);
    EXPECT_FALSE(paste(state, half + std::string(1, '\0') + kText.substr(60)).applied);
    EXPECT_EQ(state.presetInText(), half);
    EXPECT_FALSE(paste(state, std::string(1, '\0') + kText).applied);
}

TEST(ClipboardText, BinaryAndInvalidUtf8AreScannedWithinTheirBounds) {
    PresetState state;
    EXPECT_TRUE(paste(state, "\xff\xfe\xc3(\x80\xbf\xf8\x88Marvolenzik 010000" + kText.substr(18))
                    .applied);
    std::mt19937 random(3);
    for (int run = 0; run < 2000; ++run) {
        std::string bytes(random() % 12000, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        if (run % 2) bytes.replace(0, 11, "Marvolenzik");
        if (run % 4 == 1) bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
        const Paste result = paste(state, bytes);
        if (!result.applied) {
            EXPECT_TRUE(result.values.empty());
        }
        EXPECT_LE(state.presetInText().size(), kLongestPresetText);
        EXPECT_LE(state.presetHeaderWord().size(), kPresetHeaderWordBytes - 1);
    }
}

}  // namespace
