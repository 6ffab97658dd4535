#include "tools/host/CommandLine.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

const OptionDefinition* findDefinition(const std::vector<OptionDefinition>& definitions, const std::string& name) {
    for (const OptionDefinition& definition : definitions)
        if (name == definition.name) return &definition;
    return nullptr;
}

std::string numberText(double number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", number);
    return text;
}

}  // namespace

ParsedArguments::ParsedArguments(const Arguments& arguments, const std::vector<OptionDefinition>& definitions) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 3 || argument.rfind("--", 0) != 0) {
            if (argument == "--")
                optionsEnded = true;
            else
                positionals_.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name =
            argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionDefinition* definition = findDefinition(definitions, name);
        if (!definition) throw UsageError("unknown option '--" + name + "'");
        if (!definition->takesValue) {
            if (equals != std::string::npos)
                throw UsageError("option '--" + name + "' takes no value");
            options_.emplace_back(name, "");
        } else if (equals != std::string::npos) {
            options_.emplace_back(name, argument.substr(equals + 1));
        } else {
            if (i + 1 == arguments.size())
                throw UsageError("option '--" + name + "' needs a value");
            options_.emplace_back(name, arguments[++i]);
        }
    }
}

bool ParsedArguments::has(const std::string& name) const {
    for (const auto& option : options_)
        if (option.first == name) return true;
    return false;
}

std::optional<std::string> ParsedArguments::value(const std::string& name) const {
    std::optional<std::string> last;
    for (const auto& option : options_)
        if (option.first == name) last = option.second;
    return last;
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (const auto& option : options_)
        if (option.first == name) all.push_back(option.second);
    return all;
}

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<long> parseInteger(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return std::nullopt;
    return number;
}

namespace {

template <typename Number>
Number boundedOption(const ParsedArguments& arguments, const std::string& name, Number fallback,
                     Number minimum, Number maximum,
                     std::optional<Number> (*parse)(const std::string&), const char* kind) {
    const auto text = arguments.value(name);
    if (!text) return fallback;
    const auto number = parse(*text);
    if (!number || *number < minimum || *number > maximum)
        throw UsageError("--" + name + " needs " + kind + " from " + numberText(minimum) + " to " +
                         numberText(maximum) + ", not '" + *text + "'");
    return *number;
}

}  // namespace

long integerOption(const ParsedArguments& arguments, const std::string& name, long fallback,
                   long minimum, long maximum) {
    return boundedOption(arguments, name, fallback, minimum, maximum, &parseInteger,
                         "a whole number");
}

double numberOption(const ParsedArguments& arguments, const std::string& name, double fallback,
                    double minimum, double maximum) {
    return boundedOption(arguments, name, fallback, minimum, maximum, &parseNumber, "a number");
}

}  // namespace vsthost
