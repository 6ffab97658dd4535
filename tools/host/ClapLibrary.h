// A CLAP plug-in file, opened: its clap_entry, initialised with the file's path
// for as long as the library is open, and its plug-in factory.
#pragma once

#include <clap/clap.h>

#include <string>

#include "tools/host/SharedLibrary.h"

namespace vsthost {

class ClapLibrary {
public:
    // On failure ok() is false and error() says why.
    explicit ClapLibrary(const std::string& path);
    ~ClapLibrary();
    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    bool ok() const { return factory_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    const clap_plugin_factory_t* factory() const { return factory_; }
    // The descriptor of the first plug-in the factory offers; null when there is none.
    const clap_plugin_descriptor_t* firstDescriptor() const;

private:
    std::string path_;
    std::string error_;
    SharedLibrary library_;
    const clap_plugin_entry_t* entry_ = nullptr;
    const clap_plugin_factory_t* factory_ = nullptr;
};

}  // namespace vsthost
