#include "tools/host/ClapLibrary.h"

#include <dlfcn.h>

namespace vsthost {

ClapLibrary::ClapLibrary(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot open " + path;
        return;
    }
    entry_ = static_cast<const clap_plugin_entry_t*>(dlsym(handle_, "clap_entry"));
    if (!entry_) {
        error_ = path + " exports no clap_entry";
        return;
    }
    if (!clap_version_is_compatible(entry_->clap_version)) {
        error_ = path + " is made for an incompatible CLAP version";
        entry_ = nullptr;
        return;
    }
    if (!entry_->init || !entry_->init(path.c_str())) {
        error_ = path + ": clap_entry.init failed";
        entry_ = nullptr;
        return;
    }
    if (entry_->get_factory)
        factory_ = static_cast<const clap_plugin_factory_t*>(entry_->get_factory(CLAP_PLUGIN_FACTORY_ID));
    if (!factory_ || !factory_->get_plugin_count || !factory_->create_plugin)
        error_ = path + " offers no plug-in factory";
}

ClapLibrary::~ClapLibrary() {
    if (entry_ && entry_->deinit) entry_->deinit();
    if (handle_) dlclose(handle_);
}

const clap_plugin_descriptor_t* ClapLibrary::firstDescriptor() const {
    if (!factory_ || factory_->get_plugin_count(factory_) == 0 || !factory_->get_plugin_descriptor)
        return nullptr;
    return factory_->get_plugin_descriptor(factory_, 0);
}

}  // namespace vsthost
