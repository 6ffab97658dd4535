// `info [--log] [PLUGIN]`: what a host learns about a plug-in when it scans it.
#include <cstdio>
#include <string>

#include "tools/host/ClapInfo.h"
#include "tools/host/Commands.h"
#ifdef MARVOLENZIK_LV2_HOSTING
#include "tools/host/Lv2Info.h"
#endif
#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/StereoPlugin.h"
#include "tools/ownplugin/OwnPlugin.h"

namespace vsthost {

namespace {

constexpr const char* kAskedCapabilities[] = {
    "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent",
    "receiveVstTimeInfo", "offline", "midiProgramNames", "bypass",
};

std::string fourCharText(VstInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xff);
        if (c != '\0') text += (c >= 32 && c < 127) ? c : '?';
    }
    return text;
}

std::string flagsText(VstInt32 flags) {
    std::string text;
    auto add = [&](VstInt32 bit, const char* name) {
        if (flags & bit) text += text.empty() ? name : std::string(", ") + name;
    };
    add(effFlagsHasEditor, "editor");
    add(effFlagsCanReplacing, "replacing");
    add(effFlagsProgramChunks, "chunks");
    add(effFlagsIsSynth, "instrument");
    add(effFlagsNoSoundInStop, "silent when stopped");
    add(effFlagsCanDoubleReplacing, "double precision");
    return text;
}

const char* canDoText(VstInt32 answer) {
    return answer > 0 ? "yes" : answer < 0 ? "no" : "don't know";
}

void printIdentity(PluginInstance& plugin, const std::string& path) {
    const AEffect& record = *plugin.effect();
    std::printf("Plug-in        %s\n", path.c_str());
    std::printf("Effect name    %s\n", plugin.text(effGetEffectName).c_str());
    std::printf("Product        %s\n", plugin.text(effGetProductString).c_str());
    std::printf("Vendor         %s (vendor version %ld)\n", plugin.text(effGetVendorString).c_str(),
                static_cast<long>(plugin.dispatch(effGetVendorVersion)));
    std::printf("Unique ID      '%s' (0x%08X)\n", fourCharText(record.uniqueID).c_str(),
                static_cast<unsigned>(record.uniqueID));
    std::printf("Version        %d\n", record.version);
    std::printf("VST version    %ld\n", static_cast<long>(plugin.dispatch(effGetVstVersion)));
    std::printf("Category       %ld\n", static_cast<long>(plugin.dispatch(effGetPlugCategory)));
    std::printf("Inputs         %d\n", record.numInputs);
    std::printf("Outputs        %d\n", record.numOutputs);
    std::printf("Initial delay  %d samples\n", record.initialDelay);
    std::printf("Flags          %d (%s)\n", record.flags, flagsText(record.flags).c_str());
    std::printf("Programs       %d, current %ld \"%s\"\n", record.numPrograms,
                static_cast<long>(plugin.dispatch(effGetProgram)),
                plugin.text(effGetProgramName).c_str());
    if (record.flags & effFlagsHasEditor) {
        ERect* rect = nullptr;
        if (plugin.dispatch(effEditGetRect, 0, 0, &rect) && rect)
            std::printf("Editor         %d x %d pixels\n", rect->right - rect->left,
                        rect->bottom - rect->top);
        else
            std::printf("Editor         size unknown before opening\n");
    }
    std::printf("Can do        ");
    for (const char* capability : kAskedCapabilities)
        std::printf(" %s: %s;", capability, canDoText(plugin.canDo(capability)));
    std::printf("\n");
}

void printParameters(PluginInstance& plugin) {
    const int count = plugin.effect()->numParams;
    std::printf("Parameters     %d\n", count);
    std::printf("  %5s  %-24s  %-10s  %-16s  %s\n", "index", "name", "default", "display", "label");
    for (int i = 0; i < count; ++i) {
        std::printf("  %5d  %-24s  %-10.6f  %-16s  %s\n", i, plugin.parameterName(i).c_str(),
                    static_cast<double>(plugin.getParameter(i)), plugin.parameterDisplay(i).c_str(),
                    plugin.parameterLabel(i).c_str());
    }
}

}  // namespace

int runInfo(const Arguments& arguments) {
    bool log = false;
    std::string path;
    for (const std::string& argument : arguments) {
        if (argument == "--log")
            log = true;
        else if (path.empty() && argument.rfind("--", 0) != 0)
            path = argument;
        else {
            std::fprintf(stderr, "marvolenzik-host info: unexpected argument '%s'\n", argument.c_str());
            return 2;
        }
    }
    if (path.empty()) path = defaultPluginPath();
    if (isClapPath(path)) return printClapInfo(path);
#ifdef MARVOLENZIK_LV2_HOSTING
    if (isLv2Location(path)) return printLv2Info(path);
#endif

    PluginLibrary library(path);
    if (!library.ok()) {
        std::fprintf(stderr, "marvolenzik-host: %s\n", library.error().c_str());
        return 1;
    }
    Host host;
    if (log) host.setLog(stderr);
    PluginInstance plugin(host, library);
    if (!plugin.ok()) {
        std::fprintf(stderr, "marvolenzik-host: %s declined to create an instance\n", path.c_str());
        return 1;
    }
    printIdentity(plugin, path);
    printParameters(plugin);
    return 0;
}

}  // namespace vsthost
