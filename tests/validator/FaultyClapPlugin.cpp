// A CLAP plug-in that passes its stereo input through, with one parameter (a gain) and a
// state of one float, and with at most one deliberate fault, chosen by FAULT at build time,
// for the CLAP check meant for it to catch.
#include <clap/clap.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#define FAULT_NONE 0
#define FAULT_ALLOCATES 1          // allocates in every audio call
#define FAULT_RESCANS_ON_AUDIO 2   // asks the host to rescan its parameters from the audio thread
#define FAULT_TAKES_ANY_STATE 3    // answers true to a state it could not read

namespace {

struct Instance {
    clap_plugin_t plugin;
    const clap_host_t* host;
    float gain = 1.0f;
};

Instance& of(const clap_plugin_t* plugin) { return *static_cast<Instance*>(plugin->plugin_data); }

const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, nullptr};
const clap_plugin_descriptor_t kDescriptor{CLAP_VERSION_INIT, "example.faulty", "Faulty", "example", "", "", "",
                                           "1", "", kFeatures};

uint32_t portCount(const clap_plugin_t*, bool) { return 1; }
bool portInfo(const clap_plugin_t*, uint32_t index, bool, clap_audio_port_info_t* info) {
    if (index != 0) return false;
    *info = {};
    std::strcpy(info->name, "main");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = CLAP_INVALID_ID;
    return true;
}
const clap_plugin_audio_ports_t kPorts{portCount, portInfo};

uint32_t paramCount(const clap_plugin_t*) { return 1; }
bool paramInfo(const clap_plugin_t*, uint32_t index, clap_param_info_t* info) {
    if (index != 0) return false;
    *info = {};
    info->id = 0;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    std::strcpy(info->name, "Gain");
    info->min_value = 0.0;
    info->max_value = 2.0;
    info->default_value = 1.0;
    return true;
}
bool paramValue(const clap_plugin_t* p, clap_id id, double* value) {
    if (id != 0) return false;
    *value = of(p).gain;
    return true;
}
bool toText(const clap_plugin_t*, clap_id, double value, char* text, uint32_t size) {
    return std::snprintf(text, size, "%.3f", value) > 0;
}
bool fromText(const clap_plugin_t*, clap_id, const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text;
}
void apply(const clap_plugin_t* p, const clap_input_events_t* in) {
    for (uint32_t i = 0; in && i < in->size(in); ++i) {
        const clap_event_header_t* e = in->get(in, i);
        if (e->space_id == CLAP_CORE_EVENT_SPACE_ID && e->type == CLAP_EVENT_PARAM_VALUE) {
            const double v = reinterpret_cast<const clap_event_param_value_t*>(e)->value;
            of(p).gain = static_cast<float>(v >= 0.0 && v <= 2.0 ? v : 1.0);
        }
    }
}
void flush(const clap_plugin_t* p, const clap_input_events_t* in, const clap_output_events_t*) { apply(p, in); }
const clap_plugin_params_t kParams{paramCount, paramInfo, paramValue, toText, fromText, flush};

// Streams may move fewer bytes than asked for.
bool saveState(const clap_plugin_t* p, const clap_ostream_t* out) {
    const auto* bytes = reinterpret_cast<const char*>(&of(p).gain);
    for (std::size_t done = 0; done < sizeof(float);) {
        const int64_t n = out->write(out, bytes + done, sizeof(float) - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}
bool loadState(const clap_plugin_t* p, const clap_istream_t* in) {
    float gain = 0.0f;
    auto* bytes = reinterpret_cast<char*>(&gain);
    std::size_t done = 0;
    while (done < sizeof gain) {
        const int64_t n = in->read(in, bytes + done, sizeof gain - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool whole = done == sizeof gain;
    if (whole) of(p).gain = gain;
    return whole || FAULT == FAULT_TAKES_ANY_STATE;
}
const clap_plugin_state_t kState{saveState, loadState};

clap_process_status process(const clap_plugin_t* p, const clap_process_t* process) {
    apply(p, process->in_events);
    if (FAULT == FAULT_ALLOCATES) delete new std::vector<float>(process->frames_count + 1);
    if (FAULT == FAULT_RESCANS_ON_AUDIO) {
        const auto* params = static_cast<const clap_host_params_t*>(of(p).host->get_extension(of(p).host, CLAP_EXT_PARAMS));
        if (params) params->rescan(of(p).host, CLAP_PARAM_RESCAN_VALUES);
    }
    if (process->audio_inputs_count < 1 || process->audio_outputs_count < 1) return CLAP_PROCESS_CONTINUE;
    for (uint32_t c = 0; c < 2; ++c)
        for (uint32_t i = 0; i < process->frames_count; ++i)
            {
                // Subnormal input comes out as zero, as a careful plug-in's does.
                const float y = process->audio_inputs[0].data32[c][i] * of(p).gain;
                process->audio_outputs[0].data32[c][i] = std::fabs(y) < 1e-30f ? 0.0f : y;
            }
    return CLAP_PROCESS_CONTINUE;
}

const void* extension(const clap_plugin_t*, const char* id) {
    if (!std::strcmp(id, CLAP_EXT_AUDIO_PORTS)) return &kPorts;
    if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &kParams;
    if (!std::strcmp(id, CLAP_EXT_STATE)) return &kState;
    return nullptr;
}

const clap_plugin_t* create(const clap_plugin_factory_t*, const clap_host_t* host, const char* id) {
    if (std::strcmp(id, kDescriptor.id) != 0) return nullptr;
    auto* instance = new Instance;
    instance->host = host;
    instance->plugin = {&kDescriptor, instance,
                        [](const clap_plugin_t*) { return true; },
                        [](const clap_plugin_t* p) { delete &of(p); },
                        [](const clap_plugin_t*, double, uint32_t, uint32_t) { return true; },
                        [](const clap_plugin_t*) {},
                        [](const clap_plugin_t*) { return true; },
                        [](const clap_plugin_t*) {},
                        [](const clap_plugin_t*) {},
                        process,
                        extension,
                        [](const clap_plugin_t*) {}};
    return &instance->plugin;
}

const clap_plugin_factory_t kFactory{[](const clap_plugin_factory_t*) -> uint32_t { return 1; },
                                     [](const clap_plugin_factory_t*, uint32_t i) { return i == 0 ? &kDescriptor : nullptr; },
                                     create};

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry{
    CLAP_VERSION_INIT, [](const char*) { return true; }, [] {},
    [](const char* id) -> const void* { return !std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) ? &kFactory : nullptr; }};
