#include "tools/host/ClapStereoPlugin.h"

#include <algorithm>
#include <cstdint>

#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

#ifdef _WIN32
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif

class ClapEditorWindow final : public PluginEditor {
public:
    ClapEditorWindow(ClapInstance& instance, int width, int height)
        : instance_(instance), width_(width), height_(height) {}
    ~ClapEditorWindow() override { instance_.gui()->destroy(instance_.plugin()); }

    int width() const override { return width_; }
    int height() const override { return height_; }
    bool open(uintptr_t parent) override {
        clap_window_t window{};
        window.api = kWindowApi;
#ifdef _WIN32
        window.win32 = reinterpret_cast<void*>(parent);
#else
        window.x11 = parent;
#endif
        const clap_plugin_gui_t* gui = instance_.gui();
        if (!gui->set_parent(instance_.plugin(), &window)) return false;
        gui->show(instance_.plugin());
        return true;
    }
    void idle(bool readable) override { instance_.serviceEditor(readable); }
    int descriptor() const override {
        const auto& descriptors = instance_.host().descriptors();
        return descriptors.empty() ? -1 : descriptors.front();
    }
    // A CLAP editor takes its keys from its own window.
    bool key(bool, int, int, int) override { return false; }

private:
    ClapInstance& instance_;
    int width_, height_;
};

}  // namespace

ClapStereoPlugin::ClapStereoPlugin(const std::string& path) : library_(path), instance_(library_) {
    if (!instance_.ok()) throw ToolError("cannot load plug-in: " + instance_.error());
    if (instance_.mainChannels(false) == 0) throw ToolError(path + " has no audio outputs");
    parameters_ = instance_.parameterInfos();
}

ClapStereoPlugin::~ClapStereoPlugin() = default;

PluginParameter ClapStereoPlugin::parameter(int index) {
    const clap_param_info_t& info = parameters_.at(static_cast<std::size_t>(index));
    return {info.name, info.min_value, info.max_value, info.default_value};
}

double ClapStereoPlugin::value(int index) {
    return instance_.value(parameters_.at(static_cast<std::size_t>(index)).id).value_or(0.0);
}

void ClapStereoPlugin::setValue(int index, double value) {
    instance_.queueValue(parameters_.at(static_cast<std::size_t>(index)).id, value);
    // Before processing, the plug-in takes it at once, so that it reads back.
    if (!instance_.processing()) instance_.flush();
}

std::string ClapStereoPlugin::valueText(int index) {
    const clap_id id = parameters_.at(static_cast<std::size_t>(index)).id;
    return instance_.valueText(id, instance_.value(id).value_or(0.0));
}

void ClapStereoPlugin::start(double sampleRate, int blockSize) {
    const std::size_t frames = static_cast<std::size_t>(blockSize);
    const uint32_t inputs = instance_.mainChannels(true), outputs = instance_.mainChannels(false);
    silence_.assign(frames, 0.0f);
    mid_.assign(frames, 0.0f);
    discarded_.assign(frames * std::max<uint32_t>(outputs, 1), 0.0f);
    inputPointers_.assign(inputs, silence_.data());
    outputPointers_.resize(outputs);
    for (uint32_t channel = 0; channel < outputs; ++channel)
        outputPointers_[channel] = discarded_.data() + channel * frames;
    if (!instance_.activate(sampleRate, static_cast<uint32_t>(blockSize)))
        throw ToolError(library_.path() + " refused to start at " + std::to_string(sampleRate) + " Hz");
    if (!instance_.startProcessing()) throw ToolError(library_.path() + " refused to start processing");
}

int ClapStereoPlugin::latencySamples() {
    return instance_.latency() ? static_cast<int>(instance_.latency()->get(instance_.plugin())) : 0;
}

int ClapStereoPlugin::tailSamples(double sampleRate) {
    const auto* tail = static_cast<const clap_plugin_tail_t*>(
        instance_.plugin()->get_extension(instance_.plugin(), CLAP_EXT_TAIL));
    if (!tail) return 0;
    const uint32_t frames = tail->get(instance_.plugin());
    return static_cast<int>(std::min<double>(frames, 60.0 * sampleRate));
}

void ClapStereoPlugin::process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) {
    if (inputPointers_.size() == 1) {
        for (int i = 0; i < frames; ++i) mid_[i] = 0.5f * (inLeft[i] + inRight[i]);
        inputPointers_[0] = mid_.data();
    } else if (inputPointers_.size() >= 2) {
        inputPointers_[0] = inLeft;
        inputPointers_[1] = inRight;
    }
    outputPointers_[0] = outLeft;
    if (outputPointers_.size() >= 2) outputPointers_[1] = outRight;
    const clap_process_status status =
        instance_.process(inputPointers_.data(), outputPointers_.data(), static_cast<uint32_t>(frames));
    if (status == CLAP_PROCESS_ERROR) throw ToolError(library_.path() + " failed to process a block");
    if (outputPointers_.size() == 1) std::copy_n(outLeft, frames, outRight);
}

std::optional<double> ClapStereoPlugin::gainReductionDb() {
    if (!instance_.gainMetering()) return std::nullopt;
    return -instance_.gainMetering()->get(instance_.plugin());
}

std::unique_ptr<PluginEditor> ClapStereoPlugin::createEditor() {
    const clap_plugin_gui_t* gui = instance_.gui();
    if (!gui || !gui->is_api_supported(instance_.plugin(), kWindowApi, false)) return nullptr;
    if (!gui->create(instance_.plugin(), kWindowApi, false)) return nullptr;
    uint32_t width = 0, height = 0;
    if (!gui->get_size(instance_.plugin(), &width, &height) || width == 0 || height == 0) {
        gui->destroy(instance_.plugin());
        return nullptr;
    }
    return std::make_unique<ClapEditorWindow>(instance_, static_cast<int>(width), static_cast<int>(height));
}

}  // namespace vsthost
