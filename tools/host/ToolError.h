// Failures of marvolenzik-host's commands: one line of text for the user. A usage error
// (bad options) exits with 2, anything else with 1.
#pragma once

#include <stdexcept>
#include <string>

namespace vsthost {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UsageError : public ToolError {
public:
    using ToolError::ToolError;
};

}  // namespace vsthost
