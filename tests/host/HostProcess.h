// Running the built marvolenzik-host as a user does, and reading its JSON summary.
#pragma once

#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

struct HostRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs marvolenzik-host with the arguments and waits for it.
HostRun runHost(const std::vector<std::string>& arguments);

// The number after "key": in a JSON text (NaN when the key is missing or null), and every
// such number in order of appearance.
double jsonNumber(const std::string& json, const std::string& key);
std::vector<double> jsonNumbers(const std::string& json, const std::string& key);
