// The library's one export, clap_entry: a factory of one plug-in.
#include <clap/clap.h>

#include <cstring>

#include "clap/ClapPlugin.h"
#include "host/BoundaryGuard.h"

namespace {

uint32_t pluginCount(const clap_plugin_factory_t*) { return 1; }

const clap_plugin_descriptor_t* descriptor(const clap_plugin_factory_t*, uint32_t index) {
    return index == 0 ? &ClapPlugin::kDescriptor : nullptr;
}

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host, const char* id) {
    if (!host || !id || std::strcmp(id, ClapPlugin::kDescriptor.id) != 0) return nullptr;
    if (!clap_version_is_compatible(host->clap_version)) return nullptr;
    return guardBoundary<const clap_plugin_t*>(nullptr, [&] { return ClapPlugin::create(host); });
}

const clap_plugin_factory_t kFactory{pluginCount, descriptor, createPlugin};

bool init(const char*) { return true; }
void deinit() {}

const void* factory(const char* id) {
    return id && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry{CLAP_VERSION_INIT, init, deinit, factory};
