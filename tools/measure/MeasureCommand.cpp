// `measure [OPTIONS] [PLUGIN[@NAME=VALUE,...]]...`: the static curve, attack and release,
// frequency and detector response, harmonic distortion, aliasing, latency and CPU cost of
// plug-ins, as plots, CSV files and measurements.json, with a summary.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"
#include "tools/host/BenchRun.h"
#include "tools/host/CommandLine.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/ParameterAssignment.h"
#include "tools/host/ProgressBar.h"
#include "tools/host/ToolError.h"
#include "tools/measure/Isolated.h"
#include "tools/measure/Measure.h"
#include "tools/measure/MeasureCommand.h"
#include "tools/measure/MeasurementFiles.h"
#include "tools/measure/MeasurementPlots.h"
#include "tools/ownplugin/OwnPlugin.h"

namespace measure {

namespace {

constexpr double kDistortionHertz = 1000.0;
constexpr double kAliasingRates[] = {44100.0, 96000.0};
constexpr int kStages = 8;  // per plug-in, for the progress bar

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + 1)
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

// "PATH@NAME=VALUE,NAME=VALUE", then the --param settings every plug-in takes. The label is
// the plug-in's name and its settings, made unique with a number where two are the same.
std::vector<PluginChoice> pluginChoices(const std::vector<std::string>& positionals, const std::vector<std::string>& common) {
    std::vector<PluginChoice> choices;
    std::map<std::string, int> seen;
    for (const std::string& positional : positionals.empty() ? std::vector<std::string>{vsthost::defaultPluginPath()}
                                                             : positionals) {
        PluginChoice choice;
        const std::size_t at = positional.rfind('@');
        choice.path = positional.substr(0, at);
        if (at != std::string::npos)
            for (const std::string& assignment : split(positional.substr(at + 1), ','))
                if (!assignment.empty()) choice.assignments.push_back(assignment);
        choice.assignments.insert(choice.assignments.end(), common.begin(), common.end());
        const std::unique_ptr<vsthost::StereoPlugin> plugin = vsthost::openStereoPlugin(choice.path);
        const std::vector<vsthost::PluginParameter> parameters = vsthost::pluginParameters(*plugin);
        std::string settings;
        for (const std::string& assignment : choice.assignments) {
            vsthost::resolveParameterAssignment(assignment, parameters);  // refused here, before measuring
            settings += (settings.empty() ? "" : ", ") + assignment;
        }
        choice.label = plugin->effectName().empty() ? std::filesystem::path(choice.path).filename().string() : plugin->effectName();
        if (!settings.empty()) choice.label += " (" + settings + ")";
        if (const int count = ++seen[choice.label]; count > 1) choice.label += " #" + std::to_string(count);
        choices.push_back(choice);
    }
    return choices;
}

ProbeFactory factoryFor(const PluginChoice& choice) {
    return [choice](double rate) { return std::make_unique<Probe>(choice, rate); };
}

// For Marvolenzik, its three detector filters (its Sidechain switch, whose range is 0 to 1 in
// VST 2.4 and 0 to 2 elsewhere); for any other plug-in, its detector as set.
std::vector<DetectorResponse> measureDetector(const PluginChoice& choice, double rate, const PluginMeasurements& measured) {
    const std::unique_ptr<vsthost::StereoPlugin> plugin = vsthost::openStereoPlugin(choice.path);
    const std::vector<vsthost::PluginParameter> parameters = vsthost::pluginParameters(*plugin);
    int sidechain = -1;
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].name == "Sidechain") sidechain = static_cast<int>(i);
    if (!vsthost::isOwnPlugin(*plugin) || sidechain < 0)
        return {detectorResponse("as set", measured.responses.at(0), measured.responses.at(1))};
    std::vector<DetectorResponse> detector;
    const vsthost::PluginParameter& filter = parameters[static_cast<std::size_t>(sidechain)];
    for (const int position : {0, 1, 2}) {
        const double value = filter.minimum + 0.5 * position * (filter.maximum - filter.minimum);
        PluginChoice setting = choice;
        setting.assignments.push_back(std::to_string(sidechain) + "=" + std::to_string(value));
        const ProbeFactory make = factoryFor(setting);
        detector.push_back(detectorResponse("sidechain " + parameter::realText(parameter::kSidechain, position),
                                            measureFrequencyResponse(make, rate, "low level", kLowLevelDbfs),
                                            measureFrequencyResponse(make, rate, "compressing", kCompressingLevelDbfs)));
    }
    return detector;
}

PluginMeasurements measurePlugin(const PluginChoice& choice, double rate, const std::function<void()>& stageDone) {
    const ProbeFactory make = factoryFor(choice);
    PluginMeasurements m;
    m.label = choice.label;
    m.path = choice.path;
    m.rate = rate;
    m.staticCurve = measureStaticCurve(make, rate);
    stageDone();
    m.step = measureStepResponse(make, rate);
    stageDone();
    m.responses = {measureFrequencyResponse(make, rate, "low level", kLowLevelDbfs),
                   measureFrequencyResponse(make, rate, "compressing", kCompressingLevelDbfs)};
    stageDone();
    m.detector = measureDetector(choice, rate, m);
    stageDone();
    m.distortionFrequency = kDistortionHertz;
    m.distortionByLevel = measureDistortionByLevel(make, rate, kDistortionHertz);
    stageDone();
    m.distortionLevelDbfs = kCompressingLevelDbfs;
    m.distortionByFrequency = measureDistortionByFrequency(make, rate, kCompressingLevelDbfs);
    stageDone();
    for (const double aliasingRate : kAliasingRates) m.aliasing.push_back(measureAliasing(make, aliasingRate));
    stageDone();
    m.reportedLatency = make(rate)->reportedLatency();
    m.measuredLatency = measureLatency(make, rate);
    stageDone();
    return m;
}

// Side by side in one run, so that the figures compare.
void measureCost(std::vector<PluginMeasurements>& results, double rate) {
    std::vector<std::string> paths;
    for (const PluginMeasurements& r : results) paths.push_back(r.path);
    vsthost::BenchSettings settings;
    settings.passes = 3;
    settings.constructions = 1;
    reportDoing("measuring the CPU cost");
    const std::vector<vsthost::BenchResult> bench = vsthost::runBench(paths, vsthost::synthesiseDemoLoop(rate, 5.0), settings);
    for (std::size_t i = 0; i < results.size() && i < bench.size(); ++i) {
        results[i].nanosecondsPerSample = bench[i].medianNanoseconds();
        results[i].realTimeFactor = 1e9 / (bench[i].medianNanoseconds() * rate);
    }
}

double reductionAt(const PluginMeasurements& m, double dbfs) {
    for (const CurvePoint& p : m.staticCurve)
        if (p.inputDbfs == dbfs) return p.gainReductionDb;
    return NAN;
}
double thdAt(const PluginMeasurements& m, double dbfs) {
    for (const DistortionPoint& p : m.distortionByLevel)
        if (p.at == dbfs) return p.thdPercent;
    return NAN;
}
double worstAliasing(const Aliasing& a) {
    double worst = -INFINITY;
    for (const AliasingPoint& p : a.points) worst = std::max(worst, p.worstDbc);
    return worst;
}

std::string fixed(double value, const char* unit) {
    if (!std::isfinite(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%s", value, unit);
    return text;
}

// Two significant digits: distortion spans decades.
std::string percent(double value) {
    if (!std::isfinite(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2g %%", value);
    return text;
}

void printSummary(const std::vector<PluginMeasurements>& results, const std::string& folder, std::size_t files) {
    std::printf("Measured at %.0f Hz; %zu files in %s\n\n", results.front().rate, files, folder.c_str());
    std::printf("| Plug-in | Gain reduction at -20 / -10 / 0 dBFS | Attack 63 / 90 %% | Release 63 / 90 %% | "
                "THD at -20 / 0 dBFS | Worst alias at 44.1 / 96 kHz | Latency reported / measured | CPU |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const PluginMeasurements& m : results) {
        std::printf("| %s | %s / %s / %s | %s / %s | %s / %s | %s / %s | %s / %s | %d / %d samples | %.1f ns per sample (%.0fx real time) |\n",
                    m.label.c_str(), fixed(reductionAt(m, -20), " dB").c_str(), fixed(reductionAt(m, -10), " dB").c_str(),
                    fixed(reductionAt(m, 0), " dB").c_str(), fixed(m.step.attack63Ms, " ms").c_str(),
                    fixed(m.step.attack90Ms, " ms").c_str(), fixed(m.step.release63Ms, " ms").c_str(),
                    fixed(m.step.release90Ms, " ms").c_str(), percent(thdAt(m, -20)).c_str(),
                    percent(thdAt(m, 0)).c_str(), fixed(worstAliasing(m.aliasing.at(0)), " dBc").c_str(),
                    fixed(worstAliasing(m.aliasing.at(1)), " dBc").c_str(), m.reportedLatency, m.measuredLatency,
                    m.nanosecondsPerSample, m.realTimeFactor);
    }
}

int measureAll(const std::vector<PluginChoice>& choices, double rate, const std::string& folder, bool quiet) {
    std::vector<PluginMeasurements> results;
    {
        vsthost::ProgressBar progress(stderr, !quiet, static_cast<std::int64_t>(choices.size()) * kStages);
        std::int64_t done = 0;
        for (const PluginChoice& choice : choices)
            results.push_back(measurePlugin(choice, rate, [&] { progress.update(++done); }));
        measureCost(results, rate);
    }
    std::filesystem::create_directories(folder);
    std::vector<std::string> files = writeCsvFiles(folder, results);
    files.push_back(writeJson(folder, results));
    for (const std::string& plot : writePlots(folder, results)) files.push_back(plot);
    if (!quiet) printSummary(results, folder, files.size());
    return 0;
}

}  // namespace

int runMeasure(const vsthost::Arguments& arguments) {
    const vsthost::ParsedArguments parsed(arguments, {{"out", true}, {"param", true}, {"rate", true}, {"quiet", false}});
    const long rate = vsthost::integerOption(parsed, "rate", 48000, 22050, 192000);
    // A tenth of a second must hold whole periods of every frequency swept.
    if (rate % 10 != 0) throw vsthost::UsageError("--rate must be a multiple of 10 Hz");
    const std::string folder = parsed.value("out").value_or("measurements");
    const std::vector<PluginChoice> choices = pluginChoices(parsed.positionals(), parsed.values("param"));
    const bool quiet = parsed.has("quiet");
    return runIsolated([&] { return measureAll(choices, static_cast<double>(rate), folder, quiet); });
}

}  // namespace measure
