// The gui extension and the two ways a host drives the editor: its timer, and a wait on
// the window system's connection. The editor is embedded in the host's window only, at its
// one size; every call is refused off the main thread where the host can tell.
#include <cstring>
#include <memory>

#include "clap/ClapEditor.h"
#include "clap/ClapExtensions.h"
#include "clap/ClapPlugin.h"
#include "host/BoundaryGuard.h"

namespace {

#ifdef _WIN32
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif

// Runs `work` with the instance when called on the main thread.
template <typename Result, typename Work>
Result onMain(const clap_plugin_t* plugin, Result refused, Work&& work) {
    if (!plugin || !plugin->plugin_data) return refused;
    return guardBoundary(refused, [&] {
        ClapPlugin& instance = ClapPlugin::of(plugin);
        return instance.onMainThread() ? work(instance) : refused;
    });
}

bool supported(const char* api, bool floating) { return api && std::strcmp(api, kWindowApi) == 0 && !floating; }

bool isApiSupported(const clap_plugin_t*, const char* api, bool floating) { return supported(api, floating); }

bool preferredApi(const clap_plugin_t*, const char** api, bool* floating) {
    if (!api || !floating) return false;
    *api = kWindowApi;
    *floating = false;
    return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool floating) {
    return onMain(plugin, false, [&](ClapPlugin& instance) {
        if (!supported(api, floating) || instance.editor()) return false;
        instance.editor() = std::make_unique<ClapEditor>(instance);
        return true;
    });
}

void destroy(const clap_plugin_t* plugin) {
    onMain(plugin, 0, [](ClapPlugin& instance) {
        instance.editor().reset();
        return 0;
    });
}

bool setScale(const clap_plugin_t*, double) { return false; }

bool getSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    if (!width || !height) return false;
    return onMain(plugin, false, [&](ClapPlugin& instance) {
        if (!instance.editor()) return false;
        *width = static_cast<uint32_t>(instance.editor()->content().getWidth());
        *height = static_cast<uint32_t>(instance.editor()->content().getHeight());
        return true;
    });
}

bool canResize(const clap_plugin_t*) { return false; }
bool resizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; }
bool adjustSize(const clap_plugin_t*, uint32_t*, uint32_t*) { return false; }

bool setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
    uint32_t ownWidth = 0, ownHeight = 0;
    return getSize(plugin, &ownWidth, &ownHeight) && width == ownWidth && height == ownHeight;
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window) {
    if (!window || !window->api || std::strcmp(window->api, kWindowApi) != 0) return false;
    return onMain(plugin, false, [&](ClapPlugin& instance) {
        if (!instance.editor()) return false;
#ifdef _WIN32
        void* parent = window->win32;
#else
        void* parent = reinterpret_cast<void*>(window->x11);
#endif
        return instance.editor()->setParent(parent);
    });
}

bool setTransient(const clap_plugin_t*, const clap_window_t*) { return false; }
void suggestTitle(const clap_plugin_t*, const char*) {}

bool show(const clap_plugin_t* plugin, bool visible) {
    return onMain(plugin, false, [&](ClapPlugin& instance) {
        if (!instance.editor()) return false;
        instance.editor()->setVisible(visible);
        return true;
    });
}

void onTimer(const clap_plugin_t* plugin, clap_id timer) {
    onMain(plugin, 0, [&](ClapPlugin& instance) {
        if (instance.editor() && instance.editor()->ownsTimer(timer)) instance.editor()->idle();
        return 0;
    });
}

void onDescriptor(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t) {
    onMain(plugin, 0, [&](ClapPlugin& instance) {
        if (instance.editor() && instance.editor()->ownsDescriptor(fd)) instance.editor()->idle();
        return 0;
    });
}

}  // namespace

const clap_plugin_gui_t kClapGui{
    isApiSupported, preferredApi, create,    destroy,   setScale,     getSize,
    canResize,      resizeHints,  adjustSize, setSize,  setParent,    setTransient,
    suggestTitle,   [](const clap_plugin_t* p) { return show(p, true); },
    [](const clap_plugin_t* p) { return show(p, false); },
};
const clap_plugin_timer_support_t kClapTimerSupport{onTimer};
const clap_plugin_posix_fd_support_t kClapPosixFdSupport{onDescriptor};
