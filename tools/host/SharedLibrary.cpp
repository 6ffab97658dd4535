#include "tools/host/SharedLibrary.h"

#ifdef _WIN32
#include <windows.h>

#include "tools/host/Utf8Path.h"
#else
#include <dlfcn.h>
#endif

namespace vsthost {

#ifdef _WIN32

SharedLibrary::SharedLibrary(const std::string& path) {
    handle_ = LoadLibraryW(pathFromUtf8(path).wstring().c_str());
    if (!handle_) error_ = "cannot open " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
}

SharedLibrary::~SharedLibrary() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

#else

SharedLibrary::SharedLibrary(const std::string& path) {
    // RTLD_LOCAL keeps each plug-in's symbols to itself, as hosts load them.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot open " + path;
    }
}

SharedLibrary::~SharedLibrary() {
    if (handle_) dlclose(handle_);
}

void* SharedLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

#endif

}  // namespace vsthost
