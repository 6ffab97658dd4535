#include "tools/host/Lv2StereoPlugin.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

constexpr std::size_t kAtomCapacity = 8192;
// Where Debian installs LV2's own vocabulary bundles, and those a plug-in's description uses.
constexpr const char* kVocabularyFolder = "/usr/lib/lv2/";
constexpr const char* kVocabularies[] = {"core", "ui", "units", "port-props", "port-groups", "atom", "options",
                                           "buf-size", "urid", "parameters", "time", "state", "midi", "presets"};

std::string text(const LilvNode* node) { return node && lilv_node_as_string(node) ? lilv_node_as_string(node) : ""; }

// Frees a node lilv handed over.
struct Node {
    LilvNode* node;
    ~Node() { lilv_node_free(node); }
    operator const LilvNode*() const { return node; }
};

}  // namespace

struct Lv2StereoPlugin::Port {
    enum class Kind { audioIn, audioOut, controlIn, controlOut, atomIn, atomOut, other } kind = Kind::other;
    std::string symbol, name;
    float minimum = 0.0f, maximum = 1.0f, defaultValue = 0.0f;
    float value = 0.0f;                  // the buffer connected to a control port
    std::atomic<float> pending{0.0f};    // the value last set, taken by the next block
    std::atomic<bool> hasPending{false};
    std::atomic<float> published{0.0f};  // a control output's value after the last block
    std::vector<uint64_t> atom;          // an atom port's sequence, 8-byte aligned
};

// URIDs, options and the rest of what plug-ins and UIs ask of a host.
struct Lv2StereoPlugin::Features {
    std::mutex mapMutex;
    std::map<std::string, LV2_URID> ids;
    std::vector<std::string> uris;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle handle, const char* uri) { return static_cast<Features*>(handle)->id(uri); }};
    LV2_URID_Unmap unmap{this, [](LV2_URID_Unmap_Handle handle, LV2_URID id) { return static_cast<Features*>(handle)->uri(id); }};
    int32_t minBlock = 1, maxBlock = 512;
    float rate = 48000.0f;
    std::vector<LV2_Options_Option> options;
    LV2_Feature mapFeature{LV2_URID__map, &map};
    LV2_Feature unmapFeature{LV2_URID__unmap, &unmap};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, nullptr};
    LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
    std::vector<const LV2_Feature*> plugin;
    // For the UI: the parent window and touch are filled in by the editor.
    LV2UI_Touch touch{};
    LV2_Feature touchFeature{LV2_UI__touch, &touch};
    LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
    LV2_Feature parentFeature{LV2_UI__parent, nullptr};
    LV2_Feature resizeFeature{LV2_UI__resize, nullptr};
    std::vector<const LV2_Feature*> ui;

    LV2_URID id(const char* uri) {
        std::lock_guard lock(mapMutex);
        const auto found = ids.find(uri);
        if (found != ids.end()) return found->second;
        uris.push_back(uri);
        return ids[uri] = static_cast<LV2_URID>(uris.size());
    }
    const char* uri(LV2_URID id) {
        std::lock_guard lock(mapMutex);
        return id >= 1 && id <= uris.size() ? uris[id - 1].c_str() : nullptr;
    }
    void prepare(float sampleRate, int32_t largestBlock) {
        rate = sampleRate;
        maxBlock = largestBlock;
        const LV2_URID intType = id(LV2_ATOM__Int), floatType = id(LV2_ATOM__Float);
        options = {{LV2_OPTIONS_INSTANCE, 0, id(LV2_BUF_SIZE__minBlockLength), sizeof(int32_t), intType, &minBlock},
                   {LV2_OPTIONS_INSTANCE, 0, id(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), intType, &maxBlock},
                   {LV2_OPTIONS_INSTANCE, 0, id(LV2_PARAMETERS__sampleRate), sizeof(float), floatType, &rate},
                   {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        optionsFeature.data = options.data();
        plugin = {&mapFeature, &unmapFeature, &optionsFeature, &boundedFeature, nullptr};
    }
};

Lv2StereoPlugin::Lv2StereoPlugin(const std::string& location) : features_(std::make_unique<Features>()) {
    world_ = lilv_world_new();
    const bool byUri = location.rfind("lv2:", 0) == 0;
    if (byUri) {
        lilv_world_load_all(world_);
    } else {
        // Only the vocabularies and this bundle, so that an installed copy of the same
        // plug-in cannot stand in for the one named.
        for (const char* vocabulary : kVocabularies) {
            const std::string folder = std::string(kVocabularyFolder) + vocabulary + ".lv2/";
            std::error_code missing;
            if (!std::filesystem::is_directory(folder, missing)) continue;
            Node bundle{lilv_new_file_uri(world_, nullptr, folder.c_str())};
            lilv_world_load_bundle(world_, bundle);
        }
        lilv_world_load_specifications(world_);
        lilv_world_load_plugin_classes(world_);
        std::error_code error;
        const std::string folder = std::filesystem::absolute(location, error).string() + "/";
        Node bundle{lilv_new_file_uri(world_, nullptr, folder.c_str())};
        lilv_world_load_bundle(world_, bundle);
    }
    const LilvPlugins* plugins = lilv_world_get_all_plugins(world_);
    LILV_FOREACH (plugins, i, plugins) {
        const LilvPlugin* candidate = lilv_plugins_get(plugins, i);
        if (!byUri || text(lilv_plugin_get_uri(candidate)) == location.substr(4)) {
            plugin_ = candidate;
            break;
        }
    }
    if (!plugin_) {
        lilv_world_free(world_);
        throw ToolError("no LV2 plug-in found at " + location);
    }
    Node audio{lilv_new_uri(world_, LV2_CORE__AudioPort)}, control{lilv_new_uri(world_, LV2_CORE__ControlPort)};
    Node input{lilv_new_uri(world_, LV2_CORE__InputPort)}, atom{lilv_new_uri(world_, LV2_ATOM__AtomPort)};
    const uint32_t count = lilv_plugin_get_num_ports(plugin_);
    std::vector<float> minima(count), maxima(count), defaults(count);
    lilv_plugin_get_port_ranges_float(plugin_, minima.data(), maxima.data(), defaults.data());
    for (uint32_t index = 0; index < count; ++index) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, index);
        auto p = std::make_unique<Port>();
        const bool in = lilv_port_is_a(plugin_, port, input);
        if (lilv_port_is_a(plugin_, port, audio)) p->kind = in ? Port::Kind::audioIn : Port::Kind::audioOut;
        else if (lilv_port_is_a(plugin_, port, control)) p->kind = in ? Port::Kind::controlIn : Port::Kind::controlOut;
        else if (lilv_port_is_a(plugin_, port, atom)) p->kind = in ? Port::Kind::atomIn : Port::Kind::atomOut;
        p->symbol = text(lilv_port_get_symbol(plugin_, port));
        Node name{lilv_port_get_name(plugin_, port)};
        p->name = text(name);
        p->minimum = std::isnan(minima[index]) ? 0.0f : minima[index];
        p->maximum = std::isnan(maxima[index]) ? std::max(1.0f, p->minimum) : maxima[index];
        p->defaultValue = std::isnan(defaults[index]) ? p->minimum : defaults[index];
        p->value = p->defaultValue;
        p->pending = p->defaultValue;
        p->published = p->defaultValue;
        if (p->kind == Port::Kind::controlIn) controls_.push_back(index);
        if (p->kind == Port::Kind::audioIn) audioInputs_.push_back(index);
        if (p->kind == Port::Kind::audioOut) audioOutputs_.push_back(index);
        if (p->kind == Port::Kind::atomIn || p->kind == Port::Kind::atomOut)
            p->atom.assign(kAtomCapacity / sizeof(uint64_t), 0);
        ports_.push_back(std::move(p));
    }
    if (audioOutputs_.empty()) {
        lilv_world_free(world_);
        throw ToolError(location + " has no audio outputs");
    }
}

Lv2StereoPlugin::~Lv2StereoPlugin() {
    if (instance_) {
        lilv_instance_deactivate(instance_);
        lilv_instance_free(instance_);
    }
    lilv_world_free(world_);
}

std::string Lv2StereoPlugin::effectName() {
    Node name{lilv_plugin_get_name(plugin_)};
    return text(name);
}

std::string Lv2StereoPlugin::vendor() {
    Node author{lilv_plugin_get_author_name(plugin_)};
    return text(author);
}

std::string Lv2StereoPlugin::identifier() { return text(lilv_plugin_get_uri(plugin_)); }

PluginParameter Lv2StereoPlugin::parameter(int index) {
    const Port& port = *ports_.at(controls_.at(static_cast<std::size_t>(index)));
    return {port.name, port.minimum, port.maximum, port.defaultValue};
}

double Lv2StereoPlugin::value(int index) { return portValue(controls_.at(static_cast<std::size_t>(index))); }

float Lv2StereoPlugin::portValue(uint32_t index) const {
    const Port& port = *ports_.at(index);
    // Read on the UI's thread while the audio thread runs: only the atomics.
    return port.kind == Port::Kind::controlOut ? port.published.load() : port.pending.load();
}

bool Lv2StereoPlugin::isControl(uint32_t index) const {
    return index < ports_.size() &&
           (ports_[index]->kind == Port::Kind::controlIn || ports_[index]->kind == Port::Kind::controlOut);
}

void Lv2StereoPlugin::setValue(int index, double value) {
    Port& port = *ports_.at(controls_.at(static_cast<std::size_t>(index)));
    port.pending = static_cast<float>(value);
    port.hasPending = true;
}

std::string Lv2StereoPlugin::valueText(int index) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%g", value(index));
    return shown;
}

void Lv2StereoPlugin::start(double sampleRate, int blockSize) {
    if (instance_) {
        lilv_instance_deactivate(instance_);
        lilv_instance_free(instance_);
    }
    blockSize = std::max(blockSize, 1);
    features_->prepare(static_cast<float>(sampleRate), blockSize);
    blockSize_ = blockSize;
    sequenceType_ = features_->id(LV2_ATOM__Sequence);
    chunkType_ = features_->id(LV2_ATOM__Chunk);
    instance_ = lilv_plugin_instantiate(plugin_, sampleRate, features_->plugin.data());
    if (!instance_) throw ToolError(identifier() + " would not start at " + std::to_string(sampleRate) + " Hz");
    const std::size_t frames = static_cast<std::size_t>(blockSize);
    silence_.assign(frames, 0.0f);
    mid_.assign(frames, 0.0f);
    discarded_.assign(frames * ports_.size(), 0.0f);
    for (uint32_t index = 0; index < ports_.size(); ++index) {
        Port& port = *ports_[index];
        switch (port.kind) {
            case Port::Kind::controlIn:
            case Port::Kind::controlOut:
                lilv_instance_connect_port(instance_, index, &port.value);
                break;
            case Port::Kind::atomIn:
            case Port::Kind::atomOut:
                lilv_instance_connect_port(instance_, index, port.atom.data());
                break;
            case Port::Kind::audioIn:
                lilv_instance_connect_port(instance_, index, silence_.data());
                break;
            default:
                // Audio outputs beyond the first two, and ports of other kinds: written and dropped.
                lilv_instance_connect_port(instance_, index, discarded_.data() + index * frames);
                break;
        }
    }
    lilv_instance_activate(instance_);
    // A block of no frames, so that the latency port is set before the first real one.
    if (lilv_plugin_has_latency(plugin_)) process(silence_.data(), silence_.data(), discarded_.data(), discarded_.data(), 0);
}

int Lv2StereoPlugin::latencySamples() {
    if (!lilv_plugin_has_latency(plugin_)) return 0;
    return std::max(0, static_cast<int>(std::lround(ports_[lilv_plugin_get_latency_port_index(plugin_)]->value)));
}

void Lv2StereoPlugin::process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) {
    // The plug-in was promised blocks no longer than the one start was given.
    while (frames > blockSize_) {
        runBlock(inLeft, inRight, outLeft, outRight, blockSize_);
        inLeft += blockSize_;
        inRight += blockSize_;
        outLeft += blockSize_;
        outRight += blockSize_;
        frames -= blockSize_;
    }
    runBlock(inLeft, inRight, outLeft, outRight, frames);
}

void Lv2StereoPlugin::runBlock(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) {
    for (auto& port : ports_) {
        if (port->hasPending.exchange(false)) port->value = port->pending;
        if (port->kind == Port::Kind::atomIn) {
            // An empty sequence in, and the whole capacity offered out.
            auto* header = reinterpret_cast<LV2_Atom_Sequence*>(port->atom.data());
            header->atom.size = sizeof(LV2_Atom_Sequence_Body);
            header->atom.type = sequenceType_;
            header->body.unit = 0;
            header->body.pad = 0;
        } else if (port->kind == Port::Kind::atomOut) {
            auto* header = reinterpret_cast<LV2_Atom*>(port->atom.data());
            header->size = kAtomCapacity - sizeof(LV2_Atom);
            header->type = chunkType_;
        }
    }
    if (audioInputs_.size() == 1) {
        for (int i = 0; i < frames; ++i) mid_[i] = 0.5f * (inLeft[i] + inRight[i]);
        lilv_instance_connect_port(instance_, audioInputs_[0], mid_.data());
    } else if (audioInputs_.size() >= 2) {
        lilv_instance_connect_port(instance_, audioInputs_[0], inLeft);
        lilv_instance_connect_port(instance_, audioInputs_[1], inRight);
    }
    lilv_instance_connect_port(instance_, audioOutputs_[0], outLeft);
    if (audioOutputs_.size() >= 2) lilv_instance_connect_port(instance_, audioOutputs_[1], outRight);
    lilv_instance_run(instance_, static_cast<uint32_t>(frames));
    if (audioOutputs_.size() == 1) std::copy_n(outLeft, frames, outRight);
    for (auto& port : ports_)
        if (port->kind == Port::Kind::controlOut) port->published = port->value;
}

std::optional<float> Lv2StereoPlugin::outputValue(const std::string& symbol) const {
    for (const auto& port : ports_)
        if (port->kind == Port::Kind::controlOut && port->symbol == symbol) return port->published.load();
    return std::nullopt;
}

void Lv2StereoPlugin::uiWrite(uint32_t index, float value) {
    if (index >= ports_.size() || ports_[index]->kind != Port::Kind::controlIn) return;
    ports_[index]->pending = value;
    ports_[index]->hasPending = true;
    std::lock_guard lock(uiEventsMutex_);
    uiEvents_.push_back({Lv2UiEvent::Kind::write, index, value});
}

void Lv2StereoPlugin::uiTouch(uint32_t index, bool grabbed) {
    std::lock_guard lock(uiEventsMutex_);
    uiEvents_.push_back({grabbed ? Lv2UiEvent::Kind::grab : Lv2UiEvent::Kind::release, index, 0.0f});
}

std::vector<Lv2UiEvent> Lv2StereoPlugin::takeUiEvents() {
    std::lock_guard lock(uiEventsMutex_);
    std::vector<Lv2UiEvent> taken;
    taken.swap(uiEvents_);
    return taken;
}

const LV2_Feature* const* Lv2StereoPlugin::uiFeatures(void* parent, LV2UI_Resize* resize) {
    Features& f = *features_;
    f.parentFeature.data = parent;
    f.resizeFeature.data = resize;
    f.touch.handle = this;
    f.touch.touch = [](LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
        static_cast<Lv2StereoPlugin*>(handle)->uiTouch(port, grabbed);
    };
    f.ui = {&f.parentFeature, &f.touchFeature, &f.idleFeature, &f.resizeFeature, &f.mapFeature, &f.unmapFeature};
    // The sample rate and block sizes, once started.
    if (f.optionsFeature.data) f.ui.push_back(&f.optionsFeature);
    f.ui.push_back(nullptr);
    return f.ui.data();
}

}  // namespace vsthost
