// The params extension: the eleven acting parameters under ids that equal their indices
// (for ever, as hosts store automation by id), in real units, with texts both ways.
#include <cstdio>
#include <cstring>

#include "clap/ClapExtensions.h"
#include "clap/ClapPlugin.h"
#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"
#include "host/BoundaryGuard.h"
#include "host/HostText.h"

namespace {

bool isParameterId(clap_id id) { return id < static_cast<clap_id>(parameter::kActiveCount); }

uint32_t count(const clap_plugin_t*) { return parameter::kActiveCount; }

bool getInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) {
    if (!plugin || !info || !isParameterId(index)) return false;
    const auto i = static_cast<int32_t>(index);
    const parameter::RealRange range = parameter::realRange(i);
    *info = {};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE | (range.stepped ? CLAP_PARAM_IS_STEPPED : 0);
    info->cookie = nullptr;
    copyHostText(info->name, sizeof info->name, parameter::name(i));
    copyHostText(info->module, sizeof info->module, "");
    info->min_value = range.minimum;
    info->max_value = range.maximum;
    info->default_value = range.defaultValue;
    return true;
}

bool getValue(const clap_plugin_t* plugin, clap_id id, double* value) {
    if (!plugin || !value || !isParameterId(id)) return false;
    return guardBoundary(false, [&] {
        const auto i = static_cast<int32_t>(id);
        *value = parameter::toReal(i, ClapPlugin::of(plugin).core().getParameter(i));
        return true;
    });
}

bool valueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text, uint32_t capacity) {
    if (!plugin || !text || capacity == 0 || !isParameterId(id)) return false;
    return guardBoundary(false, [&] {
        copyHostText(text, capacity, parameter::realText(static_cast<int32_t>(id), value).c_str());
        return true;
    });
}

bool textToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
    if (!plugin || !text || !value || !isParameterId(id)) return false;
    return guardBoundary(false, [&] {
        const auto parsed = parameter::parseRealText(static_cast<int32_t>(id), text);
        if (!parsed) return false;
        *value = *parsed;
        return true;
    });
}

void flush(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out) {
    if (!plugin) return;
    guardBoundary(0, [&] {
        ClapPlugin::of(plugin).exchangeEvents(in, out);
        return 0;
    });
}

}  // namespace

const clap_plugin_params_t kClapParams{count, getInfo, getValue, valueToText, textToValue, flush};
