#include "tools/host/ClapInstance.h"

#include <algorithm>
#include <cstring>

#include "tools/host/ClapLibrary.h"

namespace vsthost {

namespace {

constexpr uint32_t kLongestText = 512;
constexpr std::size_t kMostKeptEvents = 65536;

// The event lists handed to the plug-in: a vector of value changes in, the instance's
// record of what came back out.
struct InputList {
    const std::vector<clap_event_param_value_t>* events;
    clap_input_events_t list{this, &size, &get};

    static uint32_t size(const clap_input_events_t* list) {
        return static_cast<uint32_t>(static_cast<const InputList*>(list->ctx)->events->size());
    }
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index) {
        const auto& events = *static_cast<const InputList*>(list->ctx)->events;
        return index < events.size() ? &events[index].header : nullptr;
    }
};

struct OutputList {
    std::vector<ClapOutEvent>* events;
    clap_output_events_t list{this, &push};

    static bool push(const clap_output_events_t* list, const clap_event_header_t* event) {
        if (!event || event->space_id != CLAP_CORE_EVENT_SPACE_ID) return true;
        auto& events = *static_cast<OutputList*>(list->ctx)->events;
        // A host that never looks (the player) keeps only so many.
        if (events.size() >= kMostKeptEvents) return true;
        if (event->type == CLAP_EVENT_PARAM_VALUE && event->size >= sizeof(clap_event_param_value_t)) {
            const auto& change = reinterpret_cast<const clap_event_param_value_t&>(*event);
            events.push_back({event->type, change.param_id, change.value});
        } else if ((event->type == CLAP_EVENT_PARAM_GESTURE_BEGIN || event->type == CLAP_EVENT_PARAM_GESTURE_END) &&
                   event->size >= sizeof(clap_event_param_gesture_t)) {
            const auto& gesture = reinterpret_cast<const clap_event_param_gesture_t&>(*event);
            events.push_back({event->type, gesture.param_id, 0.0});
        }
        return true;
    }
};

}  // namespace

ClapInstance::ClapInstance(const ClapLibrary& library, const std::string& pluginId) {
    if (!library.ok()) {
        error_ = library.error();
        return;
    }
    std::string id = pluginId;
    if (id.empty()) {
        const clap_plugin_descriptor_t* first = library.firstDescriptor();
        if (!first || !first->id) {
            error_ = library.path() + " offers no plug-in";
            return;
        }
        id = first->id;
    }
    const clap_plugin_t* made = library.factory()->create_plugin(library.factory(), host_.host(), id.c_str());
    if (!made) {
        error_ = library.path() + " made no plug-in '" + id + "'";
        return;
    }
    if (!made->init || !made->init(made)) {
        if (made->destroy) made->destroy(made);
        error_ = library.path() + ": plug-in '" + id + "' did not initialise";
        return;
    }
    plugin_ = made;
    // Room for what a plug-in sends, so that the host side allocates nothing in its calls.
    sent_.reserve(1024);
    params_ = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    audioPorts_ = extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    latency_ = extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    state_ = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    gui_ = extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    timerSupport_ = extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    descriptorSupport_ = extension<clap_plugin_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
    gainMetering_ = extension<clap_plugin_gain_adjustment_metering_t>(CLAP_EXT_GAIN_ADJUSTMENT_METERING);
}

ClapInstance::~ClapInstance() {
    if (!plugin_) return;
    stopProcessing();
    deactivate();
    plugin_->destroy(plugin_);
}

template <typename Extension>
const Extension* ClapInstance::extension(const char* id) const {
    return plugin_->get_extension ? static_cast<const Extension*>(plugin_->get_extension(plugin_, id)) : nullptr;
}

uint32_t ClapInstance::mainChannels(bool input) const {
    if (!audioPorts_ || audioPorts_->count(plugin_, input) == 0) return 0;
    clap_audio_port_info_t info{};
    if (!audioPorts_->get(plugin_, 0, input, &info)) return 0;
    return info.channel_count;
}

bool ClapInstance::activate(double sampleRate, uint32_t maxFrames) {
    if (active_) deactivate();
    maxFrames_ = maxFrames;
    prepareExtraPorts(true, extraInputs_);
    prepareExtraPorts(false, extraOutputs_);
    active_ = plugin_->activate(plugin_, sampleRate, 1, maxFrames);
    return active_;
}

void ClapInstance::prepareExtraPorts(bool input, ExtraPorts& ports) {
    ports = {};
    const uint32_t count = audioPorts_ ? audioPorts_->count(plugin_, input) : 0;
    std::vector<uint32_t> channels;
    for (uint32_t i = 1; i < count; ++i) {
        clap_audio_port_info_t info{};
        channels.push_back(audioPorts_->get(plugin_, i, input, &info) ? info.channel_count : 0);
    }
    uint32_t total = 0;
    for (uint32_t c : channels) total += c;
    ports.samples.assign(static_cast<std::size_t>(total) * maxFrames_, 0.0f);
    for (uint32_t c = 0; c < total; ++c) ports.channels.push_back(ports.samples.data() + c * maxFrames_);
    uint32_t first = 0;
    for (uint32_t c : channels) {
        clap_audio_buffer_t buffer{};
        buffer.data32 = ports.channels.data() + first;
        buffer.channel_count = c;
        ports.buffers.push_back(buffer);
        first += c;
    }
}

void ClapInstance::deactivate() {
    if (!active_) return;
    stopProcessing();
    plugin_->deactivate(plugin_);
    active_ = false;
}

bool ClapInstance::startProcessing() {
    if (processing_) return true;
    if (!active_) return false;
    host_.enterAudioThread();
    processing_ = plugin_->start_processing(plugin_);
    host_.leaveAudioThread();
    return processing_;
}

void ClapInstance::stopProcessing() {
    if (!processing_) return;
    host_.enterAudioThread();
    plugin_->stop_processing(plugin_);
    host_.leaveAudioThread();
    processing_ = false;
}

std::vector<clap_param_info_t> ClapInstance::parameterInfos() const {
    std::vector<clap_param_info_t> infos;
    if (!params_) return infos;
    const uint32_t count = params_->count(plugin_);
    for (uint32_t i = 0; i < count; ++i) {
        clap_param_info_t info{};
        if (params_->get_info(plugin_, i, &info)) {
            info.name[sizeof info.name - 1] = '\0';
            info.module[sizeof info.module - 1] = '\0';
            infos.push_back(info);
        }
    }
    return infos;
}

std::optional<double> ClapInstance::value(clap_id id) const {
    double value = 0.0;
    if (!params_ || !params_->get_value(plugin_, id, &value)) return std::nullopt;
    return value;
}

std::string ClapInstance::valueText(clap_id id, double value) const {
    std::vector<char> text(kLongestText, '\0');
    if (!params_ || !params_->value_to_text(plugin_, id, value, text.data(), kLongestText)) return {};
    text.back() = '\0';
    return text.data();
}

std::optional<double> ClapInstance::textValue(clap_id id, const std::string& text) const {
    double value = 0.0;
    if (!params_ || !params_->text_to_value(plugin_, id, text.c_str(), &value)) return std::nullopt;
    return value;
}

void ClapInstance::queueValue(clap_id id, double value, uint32_t time) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = event.port_index = event.channel = event.key = -1;
    event.value = value;
    // Kept in time order, as the plug-in expects them.
    const auto at = std::upper_bound(queued_.begin(), queued_.end(), time,
                                     [](uint32_t t, const clap_event_param_value_t& e) { return t < e.header.time; });
    queued_.insert(at, event);
}

void ClapInstance::flush() {
    if (!params_ || !params_->flush || processing_) return;
    InputList in{&queued_};
    OutputList out{&sent_};
    params_->flush(plugin_, &in.list, &out.list);
    queued_.clear();
}

clap_process_status ClapInstance::process(const float* const* inputs, float* const* outputs, uint32_t frames) {
    // The extra inputs may have been written over by the plug-in: silence again.
    std::fill(extraInputs_.samples.begin(), extraInputs_.samples.end(), 0.0f);
    inputBuffers_.clear();
    outputBuffers_.clear();
    clap_audio_buffer_t input{};
    input.data32 = const_cast<float**>(inputs);
    input.channel_count = mainChannels(true);
    if (input.channel_count) {
        inputBuffers_.push_back(input);
        inputBuffers_.insert(inputBuffers_.end(), extraInputs_.buffers.begin(), extraInputs_.buffers.end());
    }
    clap_audio_buffer_t output{};
    output.data32 = const_cast<float**>(outputs);
    output.channel_count = mainChannels(false);
    outputBuffers_.push_back(output);
    outputBuffers_.insert(outputBuffers_.end(), extraOutputs_.buffers.begin(), extraOutputs_.buffers.end());
    InputList in{&queued_};
    OutputList out{&sent_};
    clap_process_t process{};
    process.steady_time = steadyTime_;
    process.frames_count = frames;
    process.audio_inputs = inputBuffers_.empty() ? nullptr : inputBuffers_.data();
    process.audio_inputs_count = static_cast<uint32_t>(inputBuffers_.size());
    process.audio_outputs = outputBuffers_.data();
    process.audio_outputs_count = static_cast<uint32_t>(outputBuffers_.size());
    process.in_events = &in.list;
    process.out_events = &out.list;
    host_.enterAudioThread();
    const clap_process_status status = plugin_->process(plugin_, &process);
    host_.leaveAudioThread();
    queued_.clear();
    steadyTime_ += frames;
    return status;
}

std::vector<ClapOutEvent> ClapInstance::takeOutEvents() {
    std::vector<ClapOutEvent> taken;
    taken.swap(sent_);
    return taken;
}

void ClapInstance::serviceEditor(bool descriptorsReadable) {
    if (descriptorSupport_ && descriptorsReadable)
        for (int fd : std::vector<int>(host_.descriptors())) descriptorSupport_->on_fd(plugin_, fd, CLAP_POSIX_FD_READ);
    if (timerSupport_)
        for (clap_id timer : host_.dueTimers()) timerSupport_->on_timer(plugin_, timer);
    if (host_.takeCallbackRequest() && plugin_->on_main_thread) plugin_->on_main_thread(plugin_);
    if (host_.takeFlushRequest()) flush();
}

}  // namespace vsthost
