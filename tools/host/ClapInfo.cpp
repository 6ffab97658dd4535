// `info PLUGIN.clap`: what a host learns about a CLAP plug-in when it scans it.
#include "tools/host/ClapInfo.h"

#include <cstdio>
#include <string>

#include "tools/host/ClapInstance.h"
#include "tools/host/ClapLibrary.h"

namespace vsthost {

namespace {

constexpr double kScanRate = 48000.0;
constexpr uint32_t kScanBlock = 512;

void printPorts(const ClapInstance& plugin, bool input) {
    const clap_plugin_audio_ports_t* ports = plugin.audioPorts();
    const uint32_t count = ports ? ports->count(plugin.plugin(), input) : 0;
    std::printf("%-15s%u", input ? "Audio inputs" : "Audio outputs", count);
    for (uint32_t i = 0; i < count; ++i) {
        clap_audio_port_info_t info{};
        if (!ports->get(plugin.plugin(), i, input, &info)) continue;
        info.name[sizeof info.name - 1] = '\0';
        std::printf("%s \"%s\" %u channel%s%s", i ? ";" : ":", info.name, info.channel_count,
                    info.channel_count == 1 ? "" : "s", info.flags & CLAP_AUDIO_PORT_IS_MAIN ? " (main)" : "");
    }
    std::printf("\n");
}

void printEditor(ClapInstance& plugin) {
    const clap_plugin_gui_t* gui = plugin.gui();
    if (!gui) {
        std::printf("Editor         none\n");
        return;
    }
    const char* api = nullptr;
    bool floating = false;
    if (!gui->get_preferred_api || !gui->get_preferred_api(plugin.plugin(), &api, &floating) || !api) {
        std::printf("Editor         no preferred window system\n");
        return;
    }
    uint32_t width = 0, height = 0;
    const bool made = gui->create(plugin.plugin(), api, floating);
    const bool sized = made && gui->get_size(plugin.plugin(), &width, &height);
    const bool resizable = made && gui->can_resize(plugin.plugin());
    if (made) gui->destroy(plugin.plugin());
    if (sized)
        std::printf("Editor         %u x %u pixels, %s, %s%s\n", width, height, api, floating ? "floating" : "embedded",
                    resizable ? ", resizable" : "");
    else
        std::printf("Editor         %s, size unknown\n", api);
}

void printParameters(ClapInstance& plugin) {
    const auto infos = plugin.parameterInfos();
    std::printf("Parameters     %zu\n", infos.size());
    std::printf("  %5s  %-24s  %10s  %10s  %10s  %s\n", "id", "name", "minimum", "maximum", "default",
                "value");
    for (const clap_param_info_t& info : infos) {
        const double value = plugin.value(info.id).value_or(info.default_value);
        std::printf("  %5u  %-24s  %10.3f  %10.3f  %10.3f  %s%s\n", info.id, info.name, info.min_value,
                    info.max_value, info.default_value, plugin.valueText(info.id, value).c_str(),
                    info.flags & CLAP_PARAM_IS_STEPPED ? " (stepped)" : "");
    }
}

}  // namespace

int printClapInfo(const std::string& path) {
    ClapLibrary library(path);
    ClapInstance plugin(library);
    if (!plugin.ok()) {
        std::fprintf(stderr, "marvolenzik-host: %s\n", plugin.error().c_str());
        return 1;
    }
    const clap_plugin_descriptor_t& d = plugin.descriptor();
    const auto text = [](const char* s) { return s ? s : ""; };
    std::printf("Plug-in        %s\n", path.c_str());
    std::printf("Format         CLAP %u.%u.%u\n", d.clap_version.major, d.clap_version.minor, d.clap_version.revision);
    std::printf("Id             %s\n", text(d.id));
    std::printf("Name           %s\n", text(d.name));
    std::printf("Vendor         %s\n", text(d.vendor));
    std::printf("Version        %s\n", text(d.version));
    std::printf("Description    %s\n", text(d.description));
    std::string features;
    for (const char* const* feature = d.features; feature && *feature; ++feature)
        features += (features.empty() ? "" : ", ") + std::string(*feature);
    std::printf("Features       %s\n", features.c_str());
    printPorts(plugin, true);
    printPorts(plugin, false);
    if (plugin.activate(kScanRate, kScanBlock) && plugin.latency())
        std::printf("Latency        %u samples\n", plugin.latency()->get(plugin.plugin()));
    plugin.deactivate();
    printEditor(plugin);
    printParameters(plugin);
    return 0;
}

}  // namespace vsthost
