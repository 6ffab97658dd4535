// Every read-out text, for a change and for a hover.
#include <gtest/gtest.h>

#include <string>

#include "editor/ReadoutMessages.h"

namespace {

struct Case {
    int32_t tag;
    float value;
    const char* changed;
    const char* hovered;
};

const Case kCases[] = {
    {0, 0.5f, "Input Gain 25.00 dB", "Input Gain 25.00 dB"},
    {1, 0.75f, "Output Volume -12.50 dB", "Output Volume -12.50 dB"},
    {1, 0.3f, "Output Volume -35.00 dB", "Output Volume -35.00 dB"},
    {2, 0.2f, "Attack Time 20.00", "Attack Time 20.00"},
    {3, 0.5f, "Release Time 50.00", "Release Time 50.00"},
    {4, 0.8f, "Ratio 80.00", "Ratio 80.00"},
    {5, 0.25f, "Polarisation 25.00", "Grid Left 25.00"},
    {6, 0.3f, "Saturation 30.00", "Grid Right 30.00"},
    {7, 0.3f, "Dry 70.0 Wet 30.0 %", "Dry 70.0 Wet 30.0 %"},
    {7, 1.0f, "Dry 0.0 Wet 100.0 %", "Dry 0.0 Wet 100.0 %"},
    {8, 1.0f, "Power", "Power"},
    {9, 1.0f, "AutoGain 1.0", "AutoGain"},
    {10, 0.5f, "SideChain Filter", "SideChain filter"},
};

TEST(ReadoutMessages, ChangeAndHoverTexts) {
    for (const Case& c : kCases) {
        char text[256];
        ASSERT_TRUE(formatReadout(c.tag, c.value, ReadoutOccasion::changed, text, sizeof text));
        EXPECT_EQ(std::string(text), c.changed) << "tag " << c.tag;
        ASSERT_TRUE(formatReadout(c.tag, c.value, ReadoutOccasion::hovered, text, sizeof text));
        EXPECT_EQ(std::string(text), c.hovered) << "tag " << c.tag;
    }
}

TEST(ReadoutMessages, OtherTagsAndTinyBuffersWriteNothingBeyond) {
    char text[8] = "xxxxxxx";
    EXPECT_FALSE(formatReadout(11, 0.5f, ReadoutOccasion::changed, text, sizeof text));
    EXPECT_STREQ(text, "");
    char small[6] = "#####";
    formatReadout(0, 1.0f, ReadoutOccasion::changed, small, 5);
    EXPECT_EQ(std::string(small), "Inpu");
    EXPECT_EQ(small[5], '\0');
}

}  // namespace
