#include "tools/validator/ValidateCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "tools/validator/CheckRunner.h"
#include "tools/validator/XSession.h"

namespace validator {

namespace {

constexpr double kDefaultGroupBudgetSeconds = 120.0;

struct Options {
    std::optional<std::uint64_t> seed;
    double budget = kDefaultGroupBudgetSeconds;
    std::string only;
    std::string plugin;
};

std::optional<std::uint64_t> parseSeed(const std::string& text) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return std::nullopt;
    return value;
}

std::optional<double> parseSeconds(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0.0 && value <= 86400.0)) return std::nullopt;
    return value;
}

// Accepts "--name VALUE" and "--name=VALUE". Answers an error text, empty when fine.
std::string parse(const std::vector<std::string>& arguments, Options& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            if (!options.plugin.empty()) return "more than one plug-in given";
            options.plugin = argument;
            continue;
        }
        std::string value;
        const std::size_t equals = argument.find('=');
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument.resize(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return "option '" + argument + "' needs a value";
        }
        if (argument == "--seed") {
            options.seed = parseSeed(value);
            if (!options.seed) return "--seed needs a whole number from 0 to 2^64-1, not '" + value + "'";
        } else if (argument == "--budget") {
            const auto seconds = parseSeconds(value);
            if (!seconds) return "--budget needs a number of seconds above 0, not '" + value + "'";
            options.budget = *seconds;
        } else if (argument == "--only") {
            options.only = value;
        } else {
            return "unknown option '" + argument + "'";
        }
    }
    return {};
}

}  // namespace

int runValidate(const std::vector<std::string>& arguments, const std::string& defaultPlugin) {
    Options options;
    const std::string error = parse(arguments, options);
    if (!error.empty()) {
        std::fprintf(stderr, "marvolenzik-host validate: %s\n", error.c_str());
        return 2;
    }
    Environment environment;
    environment.pluginPath = options.plugin.empty() ? defaultPlugin : options.plugin;
    environment.seed = options.seed ? *options.seed : std::random_device{}() * 4294967296ull + std::random_device{}();
    environment.noDisplayReason = XConnection::unavailableReason();

    std::printf("Validating %s with seed %llu (repeat with --seed %llu)\n", environment.pluginPath.c_str(),
                static_cast<unsigned long long>(environment.seed),
                static_cast<unsigned long long>(environment.seed));
    std::fflush(stdout);

    CheckRunner runner(environment, options.budget, stdout);
    const Group load = loadChecks();
    const bool loads = runner.runGroup(load, {});
    for (const Group& group : {lifecycleChecks(), dispatcherChecks(), parameterChecks(),
                               processingChecks(), threadChecks(), editorChecks()}) {
        if (loads)
            runner.runGroup(group, options.only);
        else
            runner.skipGroup(group, "not run: the plug-in does not load", options.only);
    }
    const Tally& tally = runner.tally();
    std::printf("%d passed, %d failed, %d skipped (seed %llu)\n", tally.passed, tally.failed,
                tally.skipped, static_cast<unsigned long long>(environment.seed));
    return tally.failed == 0 ? 0 : 1;
}

}  // namespace validator
