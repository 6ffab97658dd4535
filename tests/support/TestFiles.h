// Real files for tests: a temporary folder and whole-file text reading and writing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

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
