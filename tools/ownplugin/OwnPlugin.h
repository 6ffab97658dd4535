// What the host tool knows only of Marvolenzik itself: how to recognise it among loaded
// plug-ins, and where the built or installed one is. The hosting in tools/host works
// with any plug-in.
#pragma once

#include <string>

namespace vsthost {

class PluginInstance;
class StereoPlugin;

// True when the plug-in is Marvolenzik, in any of its formats: identifier, name and vendor
// all ours.
bool isOwnPlugin(PluginInstance& plugin);
bool isOwnPlugin(StereoPlugin& plugin);

// The plug-in used when none is named: the VST 2.4 build beside this program (on Linux
// Marvolenzik.so, else the installed one in ~/.vst; on Windows Marvolenzik.dll).
std::string defaultPluginPath();

}  // namespace vsthost
