#include "tools/host/PluginLibrary.h"

#include <dlfcn.h>

namespace vsthost {

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
    // RTLD_LOCAL keeps each plug-in's symbols to itself, as hosts load them.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot open " + path;
        return;
    }
    void* symbol = dlsym(handle_, "VSTPluginMain");
    if (!symbol) symbol = dlsym(handle_, "main");
    if (!symbol) {
        error_ = path + " exports neither VSTPluginMain nor main";
        return;
    }
    entry_ = reinterpret_cast<VstPluginMainProc>(symbol);
}

PluginLibrary::~PluginLibrary() {
    if (handle_) dlclose(handle_);
}

}  // namespace vsthost
