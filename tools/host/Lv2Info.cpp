#include "tools/host/Lv2Info.h"

#include <charconv>
#include <cstdio>

#include <lv2/units/units.h>

#include "tools/host/Lv2StereoPlugin.h"
#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

std::string text(LilvNode* node) {
    std::string result = node && lilv_node_as_string(node) ? lilv_node_as_string(node) : "";
    lilv_node_free(node);
    return result;
}

std::string nodes(const LilvNodes* list) {
    std::string result;
    LILV_FOREACH (nodes, i, list)
        result += (result.empty() ? "" : ", ") + std::string(lilv_node_as_string(lilv_nodes_get(list, i)));
    return result.empty() ? "none" : result;
}

}  // namespace

int printLv2Info(const std::string& location) {
    try {
        Lv2StereoPlugin plugin(location);
        const LilvPlugin* p = plugin.plugin();
        std::printf("Plug-in        %s\n", location.c_str());
        std::printf("Format         LV2\n");
        std::printf("URI            %s\n", plugin.identifier().c_str());
        std::printf("Name           %s\n", plugin.effectName().c_str());
        std::printf("Vendor         %s\n", plugin.vendor().c_str());
        std::printf("Class          %s\n", lilv_node_as_string(lilv_plugin_class_get_label(lilv_plugin_get_class(p))));
        LilvNodes* required = lilv_plugin_get_required_features(p);
        std::printf("Requires       %s\n", nodes(required).c_str());
        lilv_nodes_free(required);
        if (lilv_plugin_has_latency(p)) {
            plugin.start(48000.0, 512);
            std::printf("Latency        %d samples at 48000 Hz (reported by a port)\n", plugin.latencySamples());
        } else {
            std::printf("Latency        none reported\n");
        }
        LilvUIs* uis = lilv_plugin_get_uis(p);
        LILV_FOREACH (uis, i, uis) {
            const LilvUI* ui = lilv_uis_get(uis, i);
            std::printf("UI             %s (%s)\n", lilv_node_as_uri(lilv_ui_get_uri(ui)), nodes(lilv_ui_get_classes(ui)).c_str());
        }
        lilv_uis_free(uis);
        std::printf("Ports          %u\n", lilv_plugin_get_num_ports(p));
        std::printf("  %5s  %-18s  %-24s  %10s  %10s  %10s  %s\n", "index", "symbol", "name", "minimum", "maximum",
                    "default", "unit");
        LilvNode* unitPredicate = lilv_new_uri(plugin.world(), LV2_UNITS__unit);
        for (uint32_t index = 0; index < lilv_plugin_get_num_ports(p); ++index) {
            const LilvPort* port = lilv_plugin_get_port_by_index(p, index);
            const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(p, port));
            const std::string name = text(lilv_port_get_name(p, port));
            LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
            lilv_port_get_range(p, port, &def, &min, &max);
            // The shortest text of the port's single-precision value.
            const auto number = [](LilvNode* node) {
                char shown[32] = "";
                if (node && (lilv_node_is_float(node) || lilv_node_is_int(node)))
                    *std::to_chars(shown, shown + sizeof shown - 1, lilv_node_as_float(node)).ptr = '\0';
                lilv_node_free(node);
                return std::string(shown);
            };
            const std::string shownDefault = number(def), shownMinimum = number(min), shownMaximum = number(max);
            // A unit of the LV2 units vocabulary by its name there (db, ms, pc, hz ...).
            std::string unit;
            if (LilvNodes* units = lilv_port_get_value(p, port, unitPredicate)) {
                const std::string uri = lilv_node_as_string(lilv_nodes_get_first(units));
                unit = uri.substr(uri.find_last_of("#/") + 1);
                lilv_nodes_free(units);
            }
            std::printf("  %5u  %-18s  %-24s  %10s  %10s  %10s  %s\n", index, symbol.c_str(), name.c_str(),
                        shownMinimum.c_str(), shownMaximum.c_str(), shownDefault.c_str(), unit.c_str());
        }
        lilv_node_free(unitPredicate);
        return 0;
    } catch (const ToolError& error) {
        std::fprintf(stderr, "marvolenzik-host: %s\n", error.what());
        return 1;
    }
}

}  // namespace vsthost
