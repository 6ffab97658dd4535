#include "tools/host/ClapLibrary.h"

namespace vsthost {

ClapLibrary::ClapLibrary(const std::string& path) : path_(path), library_(path) {
    if (!library_.ok()) {
        error_ = library_.error();
        return;
    }
    entry_ = static_cast<const clap_plugin_entry_t*>(library_.symbol("clap_entry"));
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
}

const clap_plugin_descriptor_t* ClapLibrary::firstDescriptor() const {
    if (!factory_ || factory_->get_plugin_count(factory_) == 0 || !factory_->get_plugin_descriptor)
        return nullptr;
    return factory_->get_plugin_descriptor(factory_, 0);
}

}  // namespace vsthost
