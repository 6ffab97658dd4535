// marvolenzik-host gui: a plug-in's editor in a window of its own, with a file or the
// demo loop playing through the plug-in on the default audio output.
#include <csignal>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>

#include "tools/host/AudioFileReader.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/ownplugin/OwnPlugin.h"
#include "tools/player/AudioOutput.h"
#include "tools/player/EditorWindow.h"
#include "tools/player/LoopingMaterial.h"

namespace vsthost {
namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

StereoBuffer loadMaterial(const ParsedArguments& arguments, double deviceRate) {
    if (arguments.positionals().empty()) return synthesiseDemoLoop(deviceRate, kDemoLoopSeconds);
    AudioFileReader reader(arguments.positionals().front());
    StereoBuffer buffer;
    buffer.sampleRate = reader.sampleRate();
    buffer.left.resize(static_cast<std::size_t>(reader.frames()));
    buffer.right.resize(static_cast<std::size_t>(reader.frames()));
    reader.read(buffer.left.data(), buffer.right.data(), static_cast<int>(reader.frames()));
    return buffer;
}

double materialRate(const ParsedArguments& arguments) {
    if (arguments.positionals().empty()) return kDemoLoopSampleRate;
    return AudioFileReader(arguments.positionals().front()).sampleRate();
}

}  // namespace

int runGui(const Arguments& arguments) {
    const ParsedArguments parsed(
        arguments, {{"plugin", true}, {"seconds", true}, {"block", true}, {"screenshot", true}, {"log", false}});
    const auto screenshot = parsed.value("screenshot");
    if (parsed.positionals().size() > 1) throw UsageError("at most one input file");
    const double seconds = numberOption(parsed, "seconds", 0.0, 0.0, 1e9);
    const int block = static_cast<int>(integerOption(parsed, "block", 512, 16, 8192));
    const std::string path = parsed.value("plugin").value_or(defaultPluginPath());

    const std::unique_ptr<StereoPlugin> plugin = openStereoPlugin(path);
    if (parsed.has("log")) plugin->logRequests(stderr);
    std::vector<float> inLeft(static_cast<std::size_t>(block)), inRight(inLeft.size());
    std::unique_ptr<LoopingMaterial> material;
    AudioOutput output(
        [&](float* left, float* right, int frames) {
            material->read(inLeft.data(), inRight.data(), frames);
            plugin->process(inLeft.data(), inRight.data(), left, right, frames);
        },
        block);
    std::string device;
    const double rate = output.open(materialRate(parsed), device);
    material = std::make_unique<LoopingMaterial>(loadMaterial(parsed, rate));
    if (material->sampleRate() != rate)
        std::fprintf(stderr, "note: the material's rate is %.0f Hz, the device plays %.0f Hz\n",
                     material->sampleRate(), rate);
    plugin->start(rate, block);

    const std::unique_ptr<PluginEditor> editor = plugin->createEditor();
    if (!editor) throw ToolError("the plug-in has no editor");
    EditorWindow window(*editor, plugin->effectName() + " - marvolenzik-host");
    output.start();
    std::printf("Playing %s through %s at %.0f Hz on %s. Close the window to stop.\n",
                parsed.positionals().empty() ? "the demo loop" : parsed.positionals()[0].c_str(),
                path.c_str(), rate, device.c_str());
    std::fflush(stdout);

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    window.run([&] {
        return !interrupted && (seconds <= 0.0 || std::chrono::steady_clock::now() < end);
    });
    const bool shotTaken = !screenshot || window.writeScreenshot(*screenshot);
    output.stop();
    if (!shotTaken) throw ToolError("cannot write the screenshot " + *screenshot);
    return 0;
}

}  // namespace vsthost
