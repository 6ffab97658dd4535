#include "tools/host/PluginLibrary.h"

namespace vsthost {

PluginLibrary::PluginLibrary(const std::string& path) : path_(path), library_(path) {
    if (!library_.ok()) {
        error_ = library_.error();
        return;
    }
    void* symbol = library_.symbol("VSTPluginMain");
    if (!symbol) symbol = library_.symbol("main");
    if (!symbol) {
        error_ = path + " exports neither VSTPluginMain nor main";
        return;
    }
    entry_ = reinterpret_cast<VstPluginMainProc>(symbol);
}

PluginLibrary::~PluginLibrary() = default;

}  // namespace vsthost
