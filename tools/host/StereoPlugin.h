// A loaded plug-in of any format as a stereo processor, as the host tool's commands use
// it: parameters in the plug-in's own terms, start, blocks in and out, latency and tail,
// and its editor. One instance per format behind it; the factory picks the format by the
// path.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace vsthost {

struct PluginParameter {
    std::string name;
    double minimum = 0.0, maximum = 1.0, defaultValue = 0.0;
};

// A plug-in's editor: made with its size known, then opened inside a window of that size,
// and driven by the host's idle and by its waiting on a file descriptor where the plug-in
// gave one. Closed when destroyed, which must happen before the plug-in goes.
class PluginEditor {
public:
    virtual ~PluginEditor() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Opens the editor inside `parent`, a native window; false when it opens none.
    virtual bool open(uintptr_t parent) = 0;
    // About 30 times a second, on the thread that opened it; `readable` when one of the
    // descriptors below has data.
    virtual void idle(bool readable) = 0;
    // Descriptors to wait on, -1 for none.
    virtual int descriptor() const { return -1; }
    // Keys typed into the host's window, for formats whose editors get them from the host.
    virtual bool key(bool down, int character, int virtualKey, int modifiers) = 0;
};

class StereoPlugin {
public:
    virtual ~StereoPlugin() = default;

    virtual std::string format() const = 0;  // "VST 2.4", "CLAP", "LV2"
    virtual std::string effectName() = 0;
    virtual std::string vendor() = 0;
    // The format's identifier of the plug-in: a VST 2.4 unique id ("0x004D565A"), a CLAP id.
    virtual std::string identifier() = 0;
    // Instances behind it: a mono plug-in runs one per channel.
    virtual int instanceCount() const { return 1; }

    // Values in the plug-in's own terms: normalised 0 to 1 in VST 2.4, the range each
    // parameter gives in CLAP. Set before start or between blocks, on the thread that
    // processes.
    virtual int parameterCount() = 0;
    virtual PluginParameter parameter(int index) = 0;
    virtual double value(int index) = 0;
    virtual void setValue(int index, double value) = 0;
    virtual std::string valueText(int index) = 0;

    // Sample rate and the largest block; then blocks of at most that many frames.
    virtual void start(double sampleRate, int blockSize) = 0;
    // The latency reported (after start, when plug-ins settle it).
    virtual int latencySamples() = 0;
    // Frames after the end of the input that the plug-in asks for, at most a minute.
    virtual int tailSamples(double sampleRate) = 0;
    // Inputs and outputs must not overlap.
    virtual void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) = 0;
    // The gain reduction of the last block in dB (positive when reducing), where the format
    // lets the plug-in report it.
    virtual std::optional<double> gainReductionDb() { return std::nullopt; }

    // The editor, not yet open; null when the plug-in has none or gives it no size.
    virtual std::unique_ptr<PluginEditor> createEditor() = 0;

    // Prints a line for each request the plug-in makes of the host, where the format's
    // host notes them (VST 2.4).
    virtual void logRequests(std::FILE*) {}
};

// Whether the file is a CLAP plug-in, and whether the location is an LV2 bundle or URI
// ("lv2:URI"), by their names.
bool isClapPath(const std::string& path);
bool isLv2Location(const std::string& location);

// Opens the plug-in (a .clap file, a .lv2 bundle or lv2:URI, or a VST 2.4 shared object)
// and makes its instance(s).
// Throws ToolError when it cannot be loaded or cannot render stereo.
std::unique_ptr<StereoPlugin> openStereoPlugin(const std::string& path);

}  // namespace vsthost
