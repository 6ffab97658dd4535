// Running the built marvolenzik-host as a user does, and the folders and files around it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct HostRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs marvolenzik-host with the arguments and waits for it.
HostRun runHost(const std::vector<std::string>& arguments);

// A fresh folder, removed with everything in it at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Names of the entries, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

void writeText(const std::string& path, const std::string& text);
std::string readText(const std::string& path);

// The number after "key": in a JSON text (NaN when the key is missing or null), and every
// such number in order of appearance.
double jsonNumber(const std::string& json, const std::string& key);
std::vector<double> jsonNumbers(const std::string& json, const std::string& key);
