#include "clap/ClapPlugin.h"

#include <clap/ext/draft/gain-adjustment-metering.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "clap/ClapEditor.h"
#include "clap/ClapExtensions.h"
#include "effect/EffectIdentity.h"
#include "effect/ParameterUnits.h"
#include "host/BoundaryGuard.h"

namespace {

constexpr const char* kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_COMPRESSOR,
                                     CLAP_PLUGIN_FEATURE_STEREO, nullptr};

// The plug-in's callbacks: each finds its instance and runs inside the boundary guard.
template <typename Result, typename Work>
Result guarded(const clap_plugin_t* plugin, Result fallback, Work&& work) {
    if (!plugin || !plugin->plugin_data) return fallback;
    return guardBoundary(fallback, [&] { return work(ClapPlugin::of(plugin)); });
}

uint32_t audioPortCount(const clap_plugin_t*, bool) { return 1; }

bool audioPortInfo(const clap_plugin_t*, uint32_t index, bool isInput, clap_audio_port_info_t* info) {
    if (index != 0 || !info) return false;
    *info = {};
    info->id = 0;
    std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Stereo In" : "Stereo Out");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = 0;
    return true;
}

const clap_plugin_audio_ports_t kAudioPorts{audioPortCount, audioPortInfo};

uint32_t latency(const clap_plugin_t*) { return kLatencySamples; }

const clap_plugin_latency_t kLatency{latency};

// The deeper of the two channels' gain reduction in the last block, as hosts show it.
double gainAdjustmentDb(const clap_plugin_t* plugin) {
    if (!plugin || !plugin->plugin_data) return 0.0;
    const dsp::BlockMeters meters = ClapPlugin::of(plugin).core().publishedMeters();
    const float deepest = std::max(meters.gainReductionLeft, meters.gainReductionRight);
    return -static_cast<double>(dsp::BlockMeters::kGainReductionRangeDb) * deepest;
}

const clap_plugin_gain_adjustment_metering_t kGainAdjustmentMetering{gainAdjustmentDb};

bool isParameterEvent(const clap_event_header_t& event) {
    return event.space_id == CLAP_CORE_EVENT_SPACE_ID && event.type == CLAP_EVENT_PARAM_VALUE &&
           event.size >= sizeof(clap_event_param_value_t);
}

}  // namespace

const clap_plugin_descriptor_t ClapPlugin::kDescriptor{
    CLAP_VERSION_INIT,
    kClapId,
    kEffectName,
    kVendorString,
    "https://marvolenzik.example",
    "",
    "",
    "1.0.0",
    "Stereo tube-style compressor",
    kFeatures,
};

const clap_plugin_t* ClapPlugin::create(const clap_host_t* host) {
    if (!host) return nullptr;
    auto* instance = new (std::nothrow) ClapPlugin(host);
    return instance ? &instance->plugin_ : nullptr;
}

ClapPlugin::ClapPlugin(const clap_host_t* host) : host_(host) {
    plugin_.desc = &kDescriptor;
    plugin_.plugin_data = this;
    plugin_.init = [](const clap_plugin_t* p) { return guarded(p, false, [](ClapPlugin& c) { return c.init(); }); };
    plugin_.destroy = [](const clap_plugin_t* p) {
        guarded(p, 0, [](ClapPlugin& c) {
            c.destroy();
            return 0;
        });
    };
    plugin_.activate = [](const clap_plugin_t* p, double rate, uint32_t, uint32_t) {
        return guarded(p, false, [&](ClapPlugin& c) { return c.activate(rate); });
    };
    plugin_.deactivate = [](const clap_plugin_t* p) {
        guarded(p, 0, [](ClapPlugin& c) {
            c.active_ = false;
            return 0;
        });
    };
    plugin_.start_processing = [](const clap_plugin_t* p) {
        return guarded(p, false, [](ClapPlugin& c) { return c.active_; });
    };
    // Stopping and resetting clear nothing: the design keeps its state running (a reset
    // would restart the tube stage's one-second warm-up in the middle of a session).
    plugin_.stop_processing = [](const clap_plugin_t*) {};
    plugin_.reset = [](const clap_plugin_t*) {};
    plugin_.process = [](const clap_plugin_t* p, const clap_process_t* process) {
        return guarded(p, clap_process_status{CLAP_PROCESS_ERROR},
                       [&](ClapPlugin& c) { return c.process(process); });
    };
    plugin_.get_extension = [](const clap_plugin_t* p, const char* id) {
        return guarded(p, static_cast<const void*>(nullptr), [&](ClapPlugin& c) { return c.extension(id); });
    };
    plugin_.on_main_thread = [](const clap_plugin_t*) {};
}

ClapPlugin::~ClapPlugin() = default;

bool ClapPlugin::init() {
    if (host_->get_extension) {
        threadCheck_ = static_cast<const clap_host_thread_check_t*>(
            host_->get_extension(host_, CLAP_EXT_THREAD_CHECK));
        hostParams_ = static_cast<const clap_host_params_t*>(host_->get_extension(host_, CLAP_EXT_PARAMS));
    }
    return true;
}

void ClapPlugin::destroy() {
    editor_.reset();
    delete this;
}

bool ClapPlugin::onMainThread() const {
    return !threadCheck_ || !threadCheck_->is_main_thread || threadCheck_->is_main_thread(host_);
}

bool ClapPlugin::onAudioThread() const {
    return !threadCheck_ || !threadCheck_->is_audio_thread || threadCheck_->is_audio_thread(host_);
}

bool ClapPlugin::activate(double sampleRate) {
    if (!onMainThread()) return false;
    if (!core_.setSampleRate(static_cast<float>(sampleRate))) return false;
    active_ = true;
    return true;
}

const void* ClapPlugin::extension(const char* id) const {
    if (!id) return nullptr;
    if (std::strcmp(id, CLAP_EXT_AUDIO_PORTS) == 0) return &kAudioPorts;
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) return &kLatency;
    if (std::strcmp(id, CLAP_EXT_GAIN_ADJUSTMENT_METERING) == 0) return &kGainAdjustmentMetering;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kClapParams;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &kClapState;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kClapGui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kClapTimerSupport;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kClapPosixFdSupport;
    return nullptr;
}

void ClapPlugin::setFromHost(clap_id id, double realValue) {
    if (!parameter::isActive(static_cast<int32_t>(id))) return;
    const auto index = static_cast<int32_t>(id);
    setStored(index, parameter::fromReal(index, realValue));
}

void ClapPlugin::setStored(int32_t index, float normalised) {
    core_.setParameter(index, normalised);
    if (parameter::isActive(index)) hostChanges_.fetch_or(1u << index, std::memory_order_release);
}

void ClapPlugin::rescanValues() const {
    if (hostParams_ && hostParams_->rescan) hostParams_->rescan(host_, CLAP_PARAM_RESCAN_VALUES);
}

void ClapPlugin::requestFlush() const {
    if (hostParams_ && hostParams_->request_flush) hostParams_->request_flush(host_);
}

void ClapPlugin::applyEvent(const clap_event_header_t& event) {
    if (!isParameterEvent(event)) return;
    const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
    setFromHost(change.param_id, change.value);
}

void ClapPlugin::sendEditorEvents(const clap_output_events_t* out) {
    if (!out || !out->try_push) return;
    editorEvents_.drain([&](const EditorEvents::Event& queued) {
        if (queued.kind == EditorEvents::Kind::value) {
            clap_event_param_value_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
            event.param_id = queued.parameter;
            event.note_id = event.port_index = event.channel = event.key = -1;
            event.value = queued.value;
            return out->try_push(out, &event.header);
        }
        clap_event_param_gesture_t event{};
        const uint16_t type = queued.kind == EditorEvents::Kind::gestureBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                                              : CLAP_EVENT_PARAM_GESTURE_END;
        event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, type, 0};
        event.param_id = queued.parameter;
        return out->try_push(out, &event.header);
    });
}

void ClapPlugin::exchangeEvents(const clap_input_events_t* in, const clap_output_events_t* out) {
    if (in && in->size && in->get) {
        const uint32_t count = in->size(in);
        for (uint32_t i = 0; i < count; ++i)
            if (const clap_event_header_t* event = in->get(in, i)) applyEvent(*event);
    }
    sendEditorEvents(out);
}

clap_process_status ClapPlugin::process(const clap_process_t* process) {
    if (!process || !active_ || !onAudioThread()) return CLAP_PROCESS_ERROR;
    sendEditorEvents(process->out_events);
    const uint32_t frames = process->frames_count;
    const bool hasAudio = process->audio_inputs_count >= 1 && process->audio_outputs_count >= 1 &&
                          process->audio_inputs && process->audio_outputs &&
                          process->audio_inputs[0].channel_count >= 2 && process->audio_outputs[0].channel_count >= 2 &&
                          process->audio_inputs[0].data32 && process->audio_outputs[0].data32;
    if (!hasAudio) {
        // Nothing to play: the events still count, so that no parameter change is lost.
        exchangeEvents(process->in_events, nullptr);
        return frames == 0 ? CLAP_PROCESS_CONTINUE : CLAP_PROCESS_ERROR;
    }
    const float* const* in = process->audio_inputs[0].data32;
    float* const* out = process->audio_outputs[0].data32;
    if (!in[0] || !in[1] || !out[0] || !out[1]) return CLAP_PROCESS_ERROR;

    // Each parameter event ends the part of the block before it: the part is processed with
    // the values in force, then the event applied. Events out of order or past the end
    // count at the position reached.
    const clap_input_events_t* events = process->in_events;
    const uint32_t eventCount = events && events->size && events->get ? events->size(events) : 0;
    uint32_t position = 0;
    bool processedAny = false;
    dsp::BlockMeters meters;
    const auto processUpTo = [&](uint32_t end) {
        const auto part = core_.processBlock(in[0] + position, in[1] + position, out[0] + position,
                                             out[1] + position, static_cast<int>(end - position));
        meters = processedAny ? meters.followedBy(part) : part;
        processedAny = true;
        position = end;
    };
    for (uint32_t i = 0; i < eventCount; ++i) {
        const clap_event_header_t* event = events->get(events, i);
        if (!event || !isParameterEvent(*event)) continue;
        const uint32_t at = std::min(std::max(event->time, position), frames);
        if (at > position) processUpTo(at);
        applyEvent(*event);
    }
    if (position < frames || !processedAny) processUpTo(frames);
    core_.publishMeters(meters);
    return CLAP_PROCESS_CONTINUE;
}
