#include "tools/validator/Check.h"

#include "tools/validator/Verdict.h"

namespace validator {

const vsthost::PluginLibrary& CheckContext::library() {
    if (!library_) {
        library_ = std::make_unique<vsthost::PluginLibrary>(environment_.pluginPath);
        if (!library_->ok()) fail("cannot load the plug-in: " + library_->error());
    }
    return *library_;
}

const vsthost::ClapLibrary& CheckContext::clapLibrary() {
    if (!clapLibrary_) {
        clapLibrary_ = std::make_unique<vsthost::ClapLibrary>(environment_.pluginPath);
        if (!clapLibrary_->ok()) fail("cannot load the plug-in: " + clapLibrary_->error());
    }
    return *clapLibrary_;
}

}  // namespace validator
