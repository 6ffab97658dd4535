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

}  // namespace validator
