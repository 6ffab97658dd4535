// A VST 2.4 plug-in library, opened, and its entry point.
#pragma once

#include <string>

#include "host/VstInterface.h"
#include "tools/host/SharedLibrary.h"

namespace vsthost {

class PluginLibrary {
public:
    // Opens the library and finds VSTPluginMain (or, in older plug-ins, main).
    // On failure, ok() is false and error() says why.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool ok() const { return entry_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    VstPluginMainProc entry() const { return entry_; }

private:
    std::string path_;
    std::string error_;
    SharedLibrary library_;
    VstPluginMainProc entry_ = nullptr;
};

}  // namespace vsthost
