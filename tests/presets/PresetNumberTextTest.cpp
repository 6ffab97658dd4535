// Numbers in the preset text: written as printf writes them, read as strtof reads them
// (in the C locale), with non-finite and hexadecimal numbers refused.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "presets/PresetNumberText.h"

namespace {

std::string printfLine(float value) {
    char line[100];
    std::snprintf(line, sizeof line, " %.10f\n", static_cast<double>(value));
    return line;
}

std::string formatted(float value) {
    char line[100];
    const std::size_t length = formatPresetValueLine(value, line, sizeof line);
    EXPECT_EQ(length, std::strlen(line));
    return line;
}

TEST(PresetNumberFormat, IsPrintfsForEveryKindOfFloat) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    for (float value : {0.0f, -0.0f, 0.5f, 1.0f, 0.3f, -0.2f, 1.5f,
                        // ties at the tenth decimal: printf rounds them to even
                        1.0f / 2048, 3.0f / 2048, 1.0f / 4096, 5.0f / 8192,
                        std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::denorm_min(), kInfinity, -kInfinity,
                        std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(formatted(value), printfLine(value)) << value;
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isnan(value)) continue;
        ASSERT_EQ(formatted(value), printfLine(value)) << std::hexfloat << value;
    }
}

TEST(PresetNumberFormat, WritesNothingPastASmallBuffer) {
    char line[12];
    std::memset(line, '#', sizeof line);
    EXPECT_EQ(formatPresetValueLine(1.0f, line, 11), 0u);  // " 1.0000000000\n" needs 15
    EXPECT_EQ(line[11], '#');
    EXPECT_EQ(formatPresetValueLine(1.0f, line, 2), 0u);
}

struct Scanned {
    bool accepted;
    float value;
    std::string rest;
};

Scanned scan(const std::string& text) {
    const ScannedNumber number = scanDecimalNumber(text.data(), text.data() + text.size());
    return {number.value.has_value(), number.value.value_or(0.0f),
            text.substr(static_cast<std::size_t>(number.end - text.data()))};
}

// Decimal numbers of every shape, and a few that are not numbers at all.
std::string randomNumberText(std::mt19937& random) {
    const auto digits = [&](int most) {
        std::string text(random() % (most + 1), '0');
        for (char& c : text) c = static_cast<char>('0' + random() % 10);
        return text;
    };
    std::string text;
    if (random() % 3 == 0) text += random() % 2 ? '-' : '+';
    text += digits(random() % 3 ? 3 : 40);
    if (random() % 2) text += '.' + digits(random() % 3 ? 12 : 60);
    if (random() % 3 == 0) {
        text += random() % 2 ? 'e' : 'E';
        if (random() % 2) text += random() % 2 ? '-' : '+';
        text += digits(2);
    }
    return text + " tail";
}

TEST(PresetNumberScan, ReadsWhatStrtofReadsWhereTheNumberIsComplete) {
    std::mt19937 random(11);
    int compared = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string text = randomNumberText(random);
        char* end = nullptr;
        const float expected = std::strtof(text.c_str(), &end);
        const bool exponentWithoutDigits = text.find_first_of("eE") != std::string::npos &&
                                           end < text.c_str() + text.find_first_of("eE") + 1;
        const Scanned scanned = scan(text);
        if (end == text.c_str() || !std::isfinite(expected) || exponentWithoutDigits) {
            ASSERT_FALSE(scanned.accepted) << text;
            continue;
        }
        ASSERT_TRUE(scanned.accepted) << text;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(scanned.value), std::bit_cast<std::uint32_t>(expected))
            << text;
        ASSERT_EQ(scanned.rest, std::string(end)) << text;
        ++compared;
    }
    EXPECT_GT(compared, 100000);
}

struct NumberCase {
    const char* text;
    bool accepted;
    float value;
    const char* rest;
};

TEST(PresetNumberScan, EndsWhereTheNumberCannotGoOnAndRefusesWhatIsNotFinite) {
    const float smallest = std::numeric_limits<float>::denorm_min();
    for (const NumberCase& c : {
             NumberCase{"0.5abc", true, 0.5f, "abc"},
             NumberCase{"1..2", true, 1.0f, ".2"},
             NumberCase{"5.", true, 5.0f, ""},
             NumberCase{".5", true, 0.5f, ""},
             NumberCase{"+.5", true, 0.5f, ""},
             NumberCase{"1e5.5", true, 100000.0f, ".5"},
             NumberCase{"0,5", true, 0.0f, ",5"},
             NumberCase{"00x5", true, 0.0f, "x5"},
             NumberCase{"1e-50", true, 0.0f, ""},
             NumberCase{"1e-45", true, smallest, ""},
             NumberCase{"1e-99999999999999999999", true, 0.0f, ""},
             NumberCase{"0e99999999999999999999", true, 0.0f, ""},
             NumberCase{"3.4028235e38", true, std::numeric_limits<float>::max(), ""},
             NumberCase{"1e", false, 0.0f, ""},
             NumberCase{"1e+x", false, 0.0f, "x"},
             NumberCase{"100ergs", false, 0.0f, "rgs"},
             NumberCase{".", false, 0.0f, ""},
             NumberCase{"-", false, 0.0f, ""},
             NumberCase{"- 5", false, 0.0f, " 5"},
             NumberCase{".e3", false, 0.0f, "e3"},
             NumberCase{"0x1p3", false, 0.0f, "1p3"},
             NumberCase{"-0X10", false, 0.0f, "10"},
             NumberCase{"inf", false, 0.0f, "inf"},
             NumberCase{"nan", false, 0.0f, "nan"},
             NumberCase{"3.4028236e38", false, 0.0f, ""},
             NumberCase{"-1e39", false, 0.0f, ""},
             NumberCase{"1e99999999999999999999", false, 0.0f, ""},
         }) {
        const Scanned scanned = scan(c.text);
        EXPECT_EQ(scanned.accepted, c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(scanned.value, c.value) << c.text;
        }
        EXPECT_EQ(scanned.rest, c.rest) << c.text;
    }
    EXPECT_TRUE(std::signbit(scan("-1e-50").value));
    const std::string manyDigits = "0." + std::string(5000, '0') + "1e5000";
    EXPECT_EQ(scan(manyDigits).value, 0.1f);
}

}  // namespace
