// `render [IN] OUT`: an audio file (or the demo loop) through a plug-in into a file.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>

#include "tools/host/AudioFileReader.h"
#include "tools/host/AudioFileWriter.h"
#include "tools/host/AudioFormat.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/ParameterAssignment.h"
#include "tools/host/ProgressBar.h"
#include "tools/host/RenderLoop.h"
#include "tools/host/RenderSummary.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/ownplugin/OwnPlugin.h"
#include "tools/ownplugin/OwnPluginMeters.h"
#include "tools/ownplugin/OwnPluginPresets.h"

namespace vsthost {

namespace {

constexpr long kLongestBlock = 65536;
// Marvolenzik's tube stage is muted for the first second after construction and fades
// in over about 50 ms; a render starts after that, as playback in a session does.
constexpr double kDefaultPrerollSeconds = 1.5;

struct RenderOptions {
    std::optional<std::string> inputPath;
    std::string outputPath;
    std::string pluginPath;
    int blockSize = 512;
    std::optional<int> sampleRate;
    std::optional<std::string> presetPath;
    std::optional<std::string> savePresetPath;
    std::vector<std::string> parameterAssignments;
    std::optional<SampleEncoding> encoding;
    bool compensateLatency = true;
    double prerollSeconds = kDefaultPrerollSeconds;
    bool quiet = false;
    bool json = false;
};

RenderOptions parseRenderOptions(const Arguments& arguments) {
    const ParsedArguments parsed(arguments, {{"block", true},
                                             {"plugin", true},
                                             {"param", true},
                                             {"preset", true},
                                             {"save-preset", true},
                                             {"rate", true},
                                             {"bits", true},
                                             {"preroll", true},
                                             {"no-latency-compensation", false},
                                             {"quiet", false},
                                             {"json", false}});
    RenderOptions options;
    const auto& files = parsed.positionals();
    if (files.empty() || files.size() > 2) throw UsageError("needs [IN] OUT");
    if (files.size() == 2) options.inputPath = files[0];
    options.outputPath = files.back();
    options.pluginPath = parsed.value("plugin").value_or(defaultPluginPath());
    options.blockSize = static_cast<int>(integerOption(parsed, "block", 512, 1, kLongestBlock));
    if (parsed.has("rate"))
        options.sampleRate = static_cast<int>(integerOption(parsed, "rate", 0, 1000, 1000000));
    options.presetPath = parsed.value("preset");
    options.savePresetPath = parsed.value("save-preset");
    options.parameterAssignments = parsed.values("param");
    if (const auto bits = parsed.value("bits")) {
        options.encoding = parseSampleEncoding(*bits);
        if (!options.encoding)
            throw UsageError("--bits takes 16, 24, 32 or float, not '" + *bits + "'");
    }
    options.compensateLatency = !parsed.has("no-latency-compensation");
    options.prerollSeconds = numberOption(parsed, "preroll", kDefaultPrerollSeconds, 0.0, 60.0);
    options.quiet = parsed.has("quiet");
    options.json = parsed.has("json");
    return options;
}

// Ctrl-C stops the render between two blocks, so the temporary file is removed.
volatile std::sig_atomic_t interruptRequested = 0;

class InterruptGuard {
public:
    InterruptGuard() {
        previousInterrupt_ = std::signal(SIGINT, &request);
        previousTerminate_ = std::signal(SIGTERM, &request);
    }
    ~InterruptGuard() {
        std::signal(SIGINT, previousInterrupt_);
        std::signal(SIGTERM, previousTerminate_);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    static void request(int) { interruptRequested = 1; }
    void (*previousInterrupt_)(int);
    void (*previousTerminate_)(int);
};

void requireOwnPlugin(StereoPlugin& plugin, const RenderOptions& options, const char* option) {
    if (!isOwnPlugin(plugin))
        throw ToolError(std::string(option) + " is for Marvolenzik presets, and " +
                        options.pluginPath + " is not Marvolenzik");
}

// Preset first, then --param in the order given, so a --param refines a preset.
std::set<int> applySettings(StereoPlugin& plugin, const RenderOptions& options) {
    std::set<int> set;
    if (options.presetPath) {
        requireOwnPlugin(plugin, options, "--preset");
        const int presetCount = applyOwnPresetFile(plugin, *options.presetPath);
        for (int index = 0; index < presetCount; ++index) set.insert(index);
    }
    const std::vector<PluginParameter> parameters = pluginParameters(plugin);
    for (const std::string& assignment : options.parameterAssignments) {
        const ParameterAssignment parameter = resolveParameterAssignment(assignment, parameters);
        plugin.setValue(parameter.index, parameter.value);
        set.insert(parameter.index);
    }
    return set;
}

std::vector<ParameterState> readParameters(StereoPlugin& plugin, const std::set<int>& set) {
    std::vector<ParameterState> parameters;
    for (int index = 0; index < plugin.parameterCount(); ++index)
        parameters.push_back({index, plugin.parameter(index).name, plugin.value(index), plugin.valueText(index),
                              set.count(index) > 0});
    return parameters;
}

// The file named, or the demo loop, as a stream; fills the input part of the summary.
class RenderInput {
public:
    RenderInput(const RenderOptions& options, RenderSummary& summary) {
        if (options.inputPath) {
            file_ = std::make_unique<AudioFileReader>(*options.inputPath);
            summary.inputPath = *options.inputPath;
            summary.inputFormat = describeFormat(file_->format());
            summary.inputChannels = file_->channels();
            summary.sampleRate = options.sampleRate.value_or(file_->sampleRate());
        } else {
            summary.sampleRate = options.sampleRate.value_or(static_cast<int>(kDemoLoopSampleRate));
            demo_ = synthesiseDemoLoop(summary.sampleRate, kDemoLoopSeconds);
            demoSource_.emplace(demo_);
        }
    }

    StereoSource& source() { return file_ ? static_cast<StereoSource&>(*file_) : *demoSource_; }
    std::int64_t frames() const { return file_ ? file_->frames() : demo_.frames(); }
    std::optional<int> format() const {
        return file_ ? std::optional<int>(file_->format()) : std::nullopt;
    }

private:
    std::unique_ptr<AudioFileReader> file_;
    StereoBuffer demo_;
    std::optional<StereoBufferSource> demoSource_;
};

}  // namespace

int runRender(const Arguments& arguments) {
    const RenderOptions options = parseRenderOptions(arguments);
    RenderSummary summary;
    summary.outputPath = options.outputPath;
    summary.pluginPath = options.pluginPath;
    summary.blockSize = options.blockSize;
    summary.latencyCompensated = options.compensateLatency;

    RenderInput input(options, summary);
    const int outputFormat =
        chooseOutputFormat(options.outputPath, input.format(), options.encoding);
    summary.outputFormat = describeFormat(outputFormat);

    const std::unique_ptr<StereoPlugin> loaded = openStereoPlugin(options.pluginPath);
    StereoPlugin& plugin = *loaded;
    summary.pluginName = plugin.effectName();
    summary.pluginInstances = plugin.instanceCount();
    if (options.savePresetPath) requireOwnPlugin(plugin, options, "--save-preset");
    const std::set<int> set = applySettings(plugin, options);
    // Written before the render, so that a path that cannot be written leaves OUT alone.
    if (options.savePresetPath) saveOwnPresetFile(plugin, *options.savePresetPath);
    plugin.start(summary.sampleRate, options.blockSize);
    summary.parameters = readParameters(plugin, set);

    AudioFileWriter writer(options.outputPath, outputFormat, static_cast<int>(summary.sampleRate));
    const InterruptGuard interruptGuard;
    ProgressBar progress(stderr, !options.quiet, input.frames());
    RenderSettings settings{options.blockSize, options.compensateLatency, summary.sampleRate};
    settings.prerollFrames = static_cast<std::int64_t>(options.prerollSeconds * summary.sampleRate);
    summary.prerollSeconds = options.prerollSeconds;
    const std::optional<OwnPluginMeters> ownMeters = OwnPluginMeters::of(plugin);
    const auto gainReduction = [&]() -> std::optional<double> {
        return ownMeters ? std::optional<double>(ownMeters->gainReductionDb()) : plugin.gainReductionDb();
    };
    if (gainReduction()) summary.maxGainReductionDb = 0.0;
    summary.result =
        renderThroughPlugin(plugin, input.source(), writer, settings, [&](std::int64_t done) {
            if (interruptRequested)
                throw ToolError("interrupted; " + options.outputPath + " not written");
            if (summary.maxGainReductionDb)
                summary.maxGainReductionDb = std::max(*summary.maxGainReductionDb, gainReduction().value_or(0.0));
            progress.update(done);
        });
    progress.finish();
    writer.commit();

    if (options.json)
        printSummaryJson(stdout, summary);
    else if (!options.quiet)
        printSummaryText(stdout, summary);
    return 0;
}

}  // namespace vsthost
