// The images as resources of type "PNG" of the module (the plug-in's DLL, or a program)
// that holds this code.
#include "resources/EmbeddedResources.h"

#include <windows.h>

namespace {

HMODULE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

}  // namespace

EmbeddedResource findEmbeddedResource(int32_t resourceId) {
    HMODULE module = thisModule();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const unsigned char*>(bytes), static_cast<std::size_t>(SizeofResource(module, found))};
}
