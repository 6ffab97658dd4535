// One instance of the effect as a CLAP plug-in: the plug-in record the host holds, the
// extensions it asks for, and the effect core behind them. Parameter events are applied
// at their sample position, the block split there; without events a block sounds exactly
// as in every other format.
#pragma once

#include <clap/clap.h>

#include <atomic>
#include <memory>

#include "clap/EditorEvents.h"
#include "effect/EffectCore.h"

class ClapEditor;

class ClapPlugin {
public:
    static const clap_plugin_descriptor_t kDescriptor;

    // Null when the instance cannot be made; the host destroys it through the record.
    static const clap_plugin_t* create(const clap_host_t* host);

    const clap_plugin_t* record() const { return &plugin_; }
    static ClapPlugin& of(const clap_plugin_t* plugin) {
        return *static_cast<ClapPlugin*>(plugin->plugin_data);
    }

    EffectCore& core() { return core_; }
    const clap_host_t* host() const { return host_; }
    // The host's answer where it can tell; true where it cannot (no thread-check).
    bool onMainThread() const;
    bool onAudioThread() const;

    // A parameter set through the host (an event, its real value; a state, its stored
    // normalised value): stored, and the editor told at its next timer.
    void setFromHost(clap_id id, double realValue);
    void setStored(int32_t index, float normalised);
    // Tells the host to read every value again (after a state was loaded); main thread.
    void rescanValues() const;
    // Parameters changed by the host since the last call (bit i: parameter i).
    uint32_t takeHostChanges() { return hostChanges_.exchange(0, std::memory_order_acquire); }

    // The editor's queue towards the host, and the host's flush request for it.
    EditorEvents& editorEvents() { return editorEvents_; }
    void requestFlush() const;

    // Applies the host's parameter events and hands it what the editor queued: the flush
    // call's work.
    void exchangeEvents(const clap_input_events_t* in, const clap_output_events_t* out);

    // The editor while the host has one made (gui create to destroy); main thread.
    std::unique_ptr<ClapEditor>& editor() { return editor_; }

private:
    explicit ClapPlugin(const clap_host_t* host);
    ~ClapPlugin();

    bool init();
    void destroy();
    bool activate(double sampleRate);
    clap_process_status process(const clap_process_t* process);
    const void* extension(const char* id) const;
    void sendEditorEvents(const clap_output_events_t* out);
    void applyEvent(const clap_event_header_t& event);

    clap_plugin_t plugin_;
    const clap_host_t* host_;
    const clap_host_thread_check_t* threadCheck_ = nullptr;
    const clap_host_params_t* hostParams_ = nullptr;
    bool active_ = false;
    EffectCore core_;
    EditorEvents editorEvents_;
    std::atomic<uint32_t> hostChanges_{0};
    std::unique_ptr<ClapEditor> editor_;
};
