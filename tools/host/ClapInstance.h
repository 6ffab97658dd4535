// One CLAP plug-in instance seen from the host: made and initialised by the library's
// factory, its extensions looked up once, and driven through activation, processing with
// events, parameters, state and the editor. The destructor takes it down in order (editor,
// processing, activation) before destroying it.
#pragma once

#include <clap/clap.h>
#include <clap/ext/draft/gain-adjustment-metering.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/ClapHost.h"

namespace vsthost {

class ClapLibrary;

// What the plug-in sent in its audio or flush calls.
struct ClapOutEvent {
    uint16_t type;  // CLAP_EVENT_PARAM_VALUE, _GESTURE_BEGIN or _GESTURE_END
    clap_id parameter;
    double value;
};

class ClapInstance {
public:
    // The plug-in `pluginId`, or the factory's first. ok() is false when there is none or
    // it does not initialise; error() says why.
    explicit ClapInstance(const ClapLibrary& library, const std::string& pluginId = {});
    ~ClapInstance();
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    bool ok() const { return plugin_ != nullptr; }
    const std::string& error() const { return error_; }
    const clap_plugin_t* plugin() const { return plugin_; }
    const clap_plugin_descriptor_t& descriptor() const { return *plugin_->desc; }
    ClapHost& host() { return host_; }

    const clap_plugin_params_t* params() const { return params_; }
    const clap_plugin_audio_ports_t* audioPorts() const { return audioPorts_; }
    const clap_plugin_latency_t* latency() const { return latency_; }
    const clap_plugin_state_t* state() const { return state_; }
    const clap_plugin_gui_t* gui() const { return gui_; }
    const clap_plugin_timer_support_t* timerSupport() const { return timerSupport_; }
    const clap_plugin_posix_fd_support_t* descriptorSupport() const { return descriptorSupport_; }
    const clap_plugin_gain_adjustment_metering_t* gainMetering() const { return gainMetering_; }

    // Channels of the main input and output ports (0 when there is none).
    uint32_t mainChannels(bool input) const;

    bool activate(double sampleRate, uint32_t maxFrames);
    void deactivate();
    bool startProcessing();
    void stopProcessing();
    bool active() const { return active_; }
    bool processing() const { return processing_; }

    // The parameters, as the plug-in describes them.
    std::vector<clap_param_info_t> parameterInfos() const;
    std::optional<double> value(clap_id id) const;
    std::string valueText(clap_id id, double value) const;
    std::optional<double> textValue(clap_id id, const std::string& text) const;

    // A value change for the next audio call (at its start) or flush.
    void queueValue(clap_id id, double value, uint32_t time = 0);
    // Hands what is queued to the plug-in through params.flush (not while processing) and
    // collects what it sends back.
    void flush();
    // One block through the main ports (channel pointers, as many as the ports have
    // channels), with the queued changes; the other ports get silence. The plug-in's answer.
    clap_process_status process(const float* const* inputs, float* const* outputs, uint32_t frames);
    // What the plug-in sent since the last call.
    std::vector<ClapOutEvent> takeOutEvents();

    // Runs the timers that are due and the descriptor callbacks; the host's main loop.
    void serviceEditor(bool descriptorsReadable);

private:
    template <typename Extension>
    const Extension* extension(const char* id) const;

    ClapHost host_;
    std::string error_;
    const clap_plugin_t* plugin_ = nullptr;
    const clap_plugin_params_t* params_ = nullptr;
    const clap_plugin_audio_ports_t* audioPorts_ = nullptr;
    const clap_plugin_latency_t* latency_ = nullptr;
    const clap_plugin_state_t* state_ = nullptr;
    const clap_plugin_gui_t* gui_ = nullptr;
    const clap_plugin_timer_support_t* timerSupport_ = nullptr;
    const clap_plugin_posix_fd_support_t* descriptorSupport_ = nullptr;
    const clap_plugin_gain_adjustment_metering_t* gainMetering_ = nullptr;
    bool active_ = false;
    bool processing_ = false;
    uint32_t maxFrames_ = 0;
    // The ports after the main ones (a side chain, say): silence in, output discarded.
    struct ExtraPorts {
        std::vector<float> samples;
        std::vector<float*> channels;
        std::vector<clap_audio_buffer_t> buffers;
    };
    void prepareExtraPorts(bool input, ExtraPorts& ports);
    ExtraPorts extraInputs_, extraOutputs_;
    std::vector<clap_audio_buffer_t> inputBuffers_, outputBuffers_;
    std::vector<clap_event_param_value_t> queued_;
    std::vector<ClapOutEvent> sent_;
    int64_t steadyTime_ = 0;
};

}  // namespace vsthost
