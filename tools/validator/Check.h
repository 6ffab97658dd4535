// A check, the group it belongs to, and what a check gets to work with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/ClapLibrary.h"
#include "tools/host/Host.h"
#include "tools/host/PluginLibrary.h"
#include "tools/validator/Random.h"

namespace validator {

// What the validator learnt before running any check.
struct Environment {
    std::string pluginPath;
    std::uint64_t seed = 0;
    // Empty when an X display is available for the editor checks.
    std::string noDisplayReason;
};

class CheckContext {
public:
    CheckContext(const Environment& environment, const std::string& checkName)
        : environment_(environment), random_(environment.seed, checkName) {}

    const Environment& environment() const { return environment_; }
    Random& random() { return random_; }
    // The plug-in library, opened in the check's own process on first use; fails the
    // check when it cannot be opened.
    const vsthost::PluginLibrary& library();
    // The same for a CLAP plug-in's file.
    const vsthost::ClapLibrary& clapLibrary();
    // The host side of every instance the check creates.
    vsthost::Host& host() { return host_; }

private:
    const Environment& environment_;
    Random random_;
    std::unique_ptr<vsthost::PluginLibrary> library_;
    std::unique_ptr<vsthost::ClapLibrary> clapLibrary_;
    vsthost::Host host_;
};

// A check returns what it saw when it passes; it ends with fail() or skip() otherwise.
using CheckFunction = std::string (*)(CheckContext& context);

struct Check {
    const char* name;
    CheckFunction run;
};

struct Group {
    const char* name;
    std::vector<Check> checks;
};

Group loadChecks();
Group lifecycleChecks();
Group dispatcherChecks();
Group parameterChecks();
Group processingChecks();
Group threadChecks();
Group editorChecks();

// For CLAP plug-ins.
Group clapLoadChecks();
Group clapLifecycleChecks();
Group clapParameterChecks();
Group clapStateChecks();
Group clapProcessingChecks();
Group clapThreadChecks();
Group clapEditorChecks();

// For LV2 plug-ins.
Group lv2LoadChecks();
Group lv2LifecycleChecks();
Group lv2ParameterChecks();
Group lv2ProcessingChecks();
Group lv2EditorChecks();

}  // namespace validator
