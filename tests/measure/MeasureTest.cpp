// `measure` as a user runs it, on plug-ins whose every figure is known in closed form (a
// fixed gain with a pure delay, a 4:1 compressor with known time constants, a square law),
// on plug-ins that crash or turn NaN, and on Marvolenzik against `tone`.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/host/HostProcess.h"
#include "tests/support/TestFiles.h"

namespace {

using Row = std::map<std::string, std::string>;

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            result.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            result.emplace_back();
        } else {
            result.back() += c;
        }
    }
    return result;
}

std::vector<Row> readCsv(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    const std::vector<std::string> header = fields(line);
    std::vector<Row> rows;
    while (std::getline(file, line)) {
        const std::vector<std::string> values = fields(line);
        Row row;
        for (std::size_t i = 0; i < header.size() && i < values.size(); ++i) row[header[i]] = values[i];
        rows.push_back(row);
    }
    return rows;
}

double number(const Row& row, const std::string& key) {
    const auto found = row.find(key);
    return found == row.end() || found->second.empty() ? NAN : std::stod(found->second);
}

std::vector<Row> rowsWhere(const std::vector<Row>& rows, const std::string& key, const std::string& value) {
    std::vector<Row> kept;
    for (const Row& row : rows)
        if (row.at(key) == value) kept.push_back(row);
    return kept;
}

class Measure : public ::testing::Test {
protected:
    HostRun measure(const std::vector<std::string>& plugins) {
        std::vector<std::string> arguments{"measure", "--out", folder.file("out")};
        arguments.insert(arguments.end(), plugins.begin(), plugins.end());
        return runHost(arguments);
    }
    std::vector<Row> csv(const std::string& name) { return readCsv(folder.file("out/" + name)); }

    TemporaryFolder folder;
};

TEST_F(Measure, AFixedGainAndAPureDelayMeasureAsSuch) {
    const HostRun run = measure({MONO_DELAY_PLUGIN_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double gainDb = 20.0 * std::log10(0.5);
    for (const Row& p : csv("static_curve.csv")) {
        EXPECT_NEAR(number(p, "output_dbfs"), number(p, "input_dbfs") + gainDb, 0.01) << number(p, "input_dbfs");
        EXPECT_NEAR(number(p, "gain_reduction_db"), 0.0, 0.01);
    }
    for (const Row& p : csv("frequency_response.csv")) {
        EXPECT_NEAR(number(p, "magnitude_db"), gainDb, 0.01) << number(p, "hz");
        EXPECT_NEAR(number(p, "phase_degrees"), 0.0, 0.01) << "the reported delay taken out";
    }
    for (const Row& p : csv("distortion_by_level.csv")) EXPECT_LT(number(p, "thd_percent"), 1e-4);
    for (const Row& p : csv("aliasing.csv")) EXPECT_LT(number(p, "worst_dbc"), -120.0) << number(p, "hz");
    const Row summary = csv("latency_and_cpu.csv").at(0);
    EXPECT_EQ(number(summary, "reported_latency_samples"), 5);
    EXPECT_EQ(number(summary, "measured_latency_samples"), 5);
    EXPECT_TRUE(std::isnan(number(summary, "attack_63_ms"))) << "no gain change, no time";
    EXPECT_GT(number(summary, "ns_per_stereo_sample"), 0.0);
}

TEST_F(Measure, AKnownCompressorGivesItsCurveAndTimeConstants) {
    const HostRun run = measure({KNOWN_COMPRESSOR_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const Row& p : csv("static_curve.csv")) {
        const double input = number(p, "input_dbfs");
        const double expected = input > -20.0 ? (input + 20.0) * 0.75 : 0.0;
        EXPECT_NEAR(number(p, "gain_reduction_db"), expected, 0.02) << input;
        EXPECT_NEAR(number(p, "output_dbfs"), input - expected, 0.02) << input;
    }
    // The step from -30 to -10 dBFS: 7.5 dB of gain reduction, reached with 10 ms and left
    // with 100 ms; the level takes the detector's millisecond to move.
    const Row summary = csv("latency_and_cpu.csv").at(0);
    EXPECT_NEAR(number(summary, "attack_63_ms"), 10.5, 1.0);
    EXPECT_NEAR(number(summary, "attack_90_ms"), 10.0 * std::log(10.0) + 0.5, 1.5);
    EXPECT_NEAR(number(summary, "release_63_ms"), 100.5, 2.0);
    EXPECT_NEAR(number(summary, "release_90_ms"), 100.0 * std::log(10.0) + 0.5, 3.0);
    double peak = 0.0;
    for (const Row& p : csv("attack_release.csv")) peak = std::max(peak, number(p, "gain_reduction_db"));
    EXPECT_NEAR(peak, 7.5, 0.05);
}

TEST_F(Measure, ASquareLawGivesItsSecondHarmonicAndItsAliases) {
    const HostRun run = measure({KNOWN_SQUARE_LAW_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const Row& p : csv("distortion_by_level.csv")) {
        const double amplitude = std::pow(10.0, number(p, "input_dbfs") / 20.0);
        EXPECT_NEAR(number(p, "thd_percent"), 5.0 * amplitude, 0.001) << number(p, "input_dbfs");
        EXPECT_NEAR(number(p, "even_percent"), 5.0 * amplitude, 0.001);
        EXPECT_LT(number(p, "odd_percent"), 1e-4);
        EXPECT_NEAR(number(p, "h2_dbc"), 20.0 * std::log10(0.05 * amplitude), 0.01);
    }
    for (const Row& p : csv("distortion_by_frequency.csv"))
        EXPECT_NEAR(number(p, "thd_percent"), 5.0 * std::pow(10.0, -0.5), 0.001) << number(p, "hz");
    // At -10 dBFS the second harmonic stands 36 dB down; above a quarter of 44.1 kHz it lies
    // beyond half the rate and folds back; at 96 kHz it never does.
    const double second = 20.0 * std::log10(0.05 * std::pow(10.0, -0.5));
    for (const Row& p : csv("aliasing.csv")) {
        const bool folds = number(p, "rate") == 44100 && 2.0 * number(p, "hz") > 22050.0;
        if (folds)
            EXPECT_NEAR(number(p, "worst_dbc"), second, 0.1) << number(p, "hz");
        else
            EXPECT_LT(number(p, "worst_dbc"), -100.0) << number(p, "rate") << " " << number(p, "hz");
    }
}

TEST_F(Measure, PluginsThatCrashOrTurnNanGiveAClearErrorAndNoPlots) {
    for (const auto& [plugin, expected] : {std::pair{KNOWN_CRASHES_PATH, "crashed \\(.*\\): Known while measuring the static curve at"},
                                           std::pair{KNOWN_TURNS_NAN_PATH, "Known gave non-finite samples while measuring the static curve at"}}) {
        const HostRun run = measure({plugin});
        EXPECT_EQ(run.exitCode, 1) << run.out;
#ifndef MARVOLENZIK_SANITIZED
        // A sanitizer takes the crash itself, and reports it in its own words.
        EXPECT_TRUE(std::regex_search(run.err, std::regex(expected))) << run.err;
#endif
        EXPECT_FALSE(std::filesystem::exists(folder.file("out/static_curve.png"))) << plugin;
    }
}

TEST_F(Measure, SeveralPluginsShareEachFileAndEachPlot) {
    const HostRun run = measure({MONO_DELAY_PLUGIN_PATH "@Level=0.25", KNOWN_SQUARE_LAW_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("| Mono delay (Level=0.25) |"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("| Known |"), std::string::npos) << run.out;
    const std::vector<Row> curve = csv("static_curve.csv");
    EXPECT_EQ(rowsWhere(curve, "plugin", "Mono delay (Level=0.25)").size(), 31u);
    EXPECT_EQ(rowsWhere(curve, "plugin", "Known").size(), 31u);
    EXPECT_NEAR(number(curve.front(), "output_dbfs"), -60.0 + 20.0 * std::log10(0.25), 0.01) << "its own setting";

    const std::string json = readText(folder.file("out/measurements.json"));
    EXPECT_TRUE(std::regex_search(json, std::regex("^\\{\\n  \"plugin\": \"Mono delay \\(Level=0.25\\)\"")));
    EXPECT_TRUE(std::regex_search(
        json, std::regex("\n  \"static_curve\": \\[\n    \\{\"input_dbfs\": -60, \"output_dbfs\": -72.04\\d*, "
                         "\"gain_reduction_db\": [-0-9.e]+\\},")))
        << json.substr(0, 400);
    EXPECT_NE(json.find("\"compared_with\": [\n    {\n  \"plugin\": \"Known\""), std::string::npos);
    for (const char* plot : {"static_curve.png", "attack_release.png", "frequency_response.png", "detector_response.png",
                             "distortion_by_level.png", "distortion_by_frequency.png", "harmonics_by_level.png",
                             "harmonics_by_frequency.png", "aliasing.png"}) {
        const std::string png = readText(folder.file(std::string("out/") + plot));
        ASSERT_GT(png.size(), 24u) << plot;
        EXPECT_EQ(png.substr(1, 3), "PNG") << plot;
        // Width and height, big-endian, in the header chunk.
        const auto word = [&](std::size_t at) {
            return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
                   (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
        };
        EXPECT_EQ(word(16), 1400) << plot;
        EXPECT_EQ(word(20), 820) << plot;
    }
}

TEST_F(Measure, SettingsAreCheckedBeforeAnythingIsMeasured) {
    const HostRun run = measure({MONO_DELAY_PLUGIN_PATH "@Loudness=1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Loudness"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out")));
    EXPECT_EQ(runHost({"measure", "--rate", "44101", MONO_DELAY_PLUGIN_PATH}).exitCode, 2);
}

// The distortion at -20 dBFS is measured as `tone` measures it.
TEST_F(Measure, MarvolenzikAgreesWithToneAtTheSharedPoint) {
    const HostRun run = measure({MARVOLENZIK_PLUGIN_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const HostRun tone = runHost({"tone", "--level", "-20", "--rate", "48000", "--plugin", MARVOLENZIK_PLUGIN_PATH});
    ASSERT_EQ(tone.exitCode, 0) << tone.err;
    // "... fundamental -17.44 dBFS peak ..." and "THD            0.060 % ..."
    const auto numberAfter = [&](const std::string& label) {
        const std::size_t at = tone.out.find(label);
        return at == std::string::npos ? NAN : std::stod(tone.out.substr(at + label.size()));
    };
    const Row point = rowsWhere(csv("distortion_by_level.csv"), "input_dbfs", "-20").at(0);
    EXPECT_NEAR(number(point, "fundamental_dbfs"), numberAfter("fundamental "), 0.01) << tone.out;
    EXPECT_NEAR(number(point, "thd_percent"), numberAfter("THD "), 0.002) << tone.out;
    // Its three detector filters, each measured.
    const std::vector<Row> detector = csv("detector_response.csv");
    for (const char* setting : {"sidechain Off", "sidechain 100 Hz", "sidechain 200 Hz"})
        EXPECT_FALSE(rowsWhere(detector, "setting", setting).empty()) << setting;
}

}  // namespace
