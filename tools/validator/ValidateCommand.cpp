#include "tools/validator/ValidateCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "tools/host/CommandLine.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/validator/CheckRunner.h"
#include "tools/validator/XSession.h"

namespace validator {

namespace {

constexpr double kDefaultGroupBudgetSeconds = 120.0;
constexpr double kLongestGroupBudgetSeconds = 86400.0;

// The whole range of a 64-bit seed, which a signed integer option cannot hold.
std::optional<std::uint64_t> parseSeed(const std::string& text) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return std::nullopt;
    return value;
}

std::uint64_t seedOption(const vsthost::ParsedArguments& arguments) {
    const auto text = arguments.value("seed");
    if (!text) return std::random_device{}() * 4294967296ull + std::random_device{}();
    const auto seed = parseSeed(*text);
    if (!seed) throw vsthost::UsageError("--seed needs a whole number from 0 to 2^64-1, not '" + *text + "'");
    return *seed;
}

double budgetOption(const vsthost::ParsedArguments& arguments) {
    const auto text = arguments.value("budget");
    if (!text) return kDefaultGroupBudgetSeconds;
    const auto seconds = vsthost::parseNumber(*text);
    if (!seconds || !(*seconds > 0.0 && *seconds <= kLongestGroupBudgetSeconds))
        throw vsthost::UsageError("--budget needs a number of seconds above 0, not '" + *text + "'");
    return *seconds;
}

// The load group, and the groups that run when it passes, for the plug-in's format.
std::pair<Group, std::vector<Group>> groupsFor(const std::string& path) {
    if (vsthost::isClapPath(path))
        return {clapLoadChecks(),
                {clapLifecycleChecks(), clapParameterChecks(), clapStateChecks(), clapProcessingChecks(),
                 clapThreadChecks(), clapEditorChecks()}};
    if (vsthost::isLv2Location(path))
        return {lv2LoadChecks(), {lv2LifecycleChecks(), lv2ParameterChecks(), lv2ProcessingChecks(), lv2EditorChecks()}};
    return {loadChecks(),
            {lifecycleChecks(), dispatcherChecks(), parameterChecks(), processingChecks(), threadChecks(),
             editorChecks()}};
}

}  // namespace

int runValidate(const std::vector<std::string>& arguments, const std::string& defaultPlugin) {
    const vsthost::ParsedArguments options(arguments, {{"seed", true}, {"budget", true}, {"only", true}});
    if (options.positionals().size() > 1) throw vsthost::UsageError("more than one plug-in given");
    const double budget = budgetOption(options);
    const std::string only = options.value("only").value_or("");
    Environment environment;
    environment.pluginPath = options.positionals().empty() ? defaultPlugin : options.positionals().front();
    environment.seed = seedOption(options);
    environment.noDisplayReason = XConnection::unavailableReason();

    std::printf("Validating %s with seed %llu (repeat with --seed %llu)\n", environment.pluginPath.c_str(),
                static_cast<unsigned long long>(environment.seed),
                static_cast<unsigned long long>(environment.seed));
    std::fflush(stdout);

    CheckRunner runner(environment, budget, stdout);
    const auto [load, groups] = groupsFor(environment.pluginPath);
    const bool loads = runner.runGroup(load, {});
    for (const Group& group : groups) {
        if (loads)
            runner.runGroup(group, only);
        else
            runner.skipGroup(group, "not run: the plug-in does not load", only);
    }
    const Tally& tally = runner.tally();
    std::printf("%d passed, %d failed, %d skipped (seed %llu)\n", tally.passed, tally.failed,
                tally.skipped, static_cast<unsigned long long>(environment.seed));
    return tally.failed == 0 ? 0 : 1;
}

}  // namespace validator
