// Splitting a command's arguments into options and positional arguments, and reading
// numbers from option values strictly (the whole text, finite, C locale).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/host/Commands.h"

namespace vsthost {

struct OptionDefinition {
    const char* name;  // without the leading "--"
    bool takesValue;
};

class ParsedArguments {
public:
    // Accepts "--name VALUE" and "--name=VALUE" for options with values, "--name" for
    // flags; "--" ends the options. Throws UsageError for unknown or incomplete options.
    ParsedArguments(const Arguments& arguments, const std::vector<OptionDefinition>& definitions);

    bool has(const std::string& name) const;
    // The last value given for an option, if any.
    std::optional<std::string> value(const std::string& name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& positionals() const { return positionals_; }

private:
    std::vector<std::pair<std::string, std::string>> options_;
    std::vector<std::string> positionals_;
};

std::optional<double> parseNumber(const std::string& text);
std::optional<long> parseInteger(const std::string& text);

// The value of an integer option within [minimum, maximum], or `fallback` when absent.
long integerOption(const ParsedArguments& arguments, const std::string& name, long fallback,
                   long minimum, long maximum);
// Likewise for a number.
double numberOption(const ParsedArguments& arguments, const std::string& name, double fallback,
                    double minimum, double maximum);

}  // namespace vsthost
