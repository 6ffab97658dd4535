// A shared library opened for its symbols (dlopen on Linux, LoadLibrary on Windows), kept
// to itself as hosts load plug-ins, and closed with this object.
#pragma once

#include <string>

namespace vsthost {

class SharedLibrary {
public:
    // On failure ok() is false and error() says why.
    explicit SharedLibrary(const std::string& path);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool ok() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    // Null when the library has no such symbol.
    void* symbol(const char* name) const;

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace vsthost
