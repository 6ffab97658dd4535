#include "tools/player/EditorWindow.h"

#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>

#include <poll.h>

#include <chrono>
#include <thread>

#include "gui/platform/linux/X11Keys.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"

namespace vsthost {
namespace {

constexpr auto kIdlePeriod = std::chrono::milliseconds(33);

}  // namespace

struct EditorWindow::Native {
    int width = 0;
    int height = 0;
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;

    // False when the window is closed.
    bool handle(XEvent& event, PluginEditor& editor);
};

EditorWindow::EditorWindow(PluginEditor& editor, const std::string& title)
    : editor(editor), native(std::make_unique<Native>()) {
    Native& n = *native;
    const int width = n.width = editor.width();
    const int height = n.height = editor.height();
    Display*& display = n.display;
    Window& window = n.window;
    display = XOpenDisplay(nullptr);
    if (!display) throw ToolError("cannot open the X display (is DISPLAY set?)");
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0,
                                 0);
    XStoreName(display, window, title.c_str());
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
    n.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &n.deleteWindow, 1);
    XSelectInput(display, window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(display, window);
    XSync(display, False);
    if (!editor.open(window)) {
        XDestroyWindow(display, window);
        XCloseDisplay(display);
        throw ToolError("the plug-in did not open its editor");
    }
    // Editors that tell their size only once open (LV2 UIs, through ui:resize), or only
    // by the size of the window they put into ours.
    n.width = editor.width();
    n.height = editor.height();
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XSync(display, False);
    if (n.width == width && n.height == height && XQueryTree(display, window, &root, &parent, &children, &count) &&
        count == 1) {
        XWindowAttributes child{};
        if (XGetWindowAttributes(display, children[0], &child) && child.width > 0 && child.height > 0) {
            n.width = child.width;
            n.height = child.height;
        }
    }
    if (children) XFree(children);
    if (n.width != width || n.height != height) {
        XResizeWindow(display, window, static_cast<unsigned>(n.width), static_cast<unsigned>(n.height));
        XSync(display, False);
    }
}

EditorWindow::~EditorWindow() {
    if (native->window) XDestroyWindow(native->display, native->window);
    XCloseDisplay(native->display);
}

void EditorWindow::run(const std::function<bool()>& keepRunning) {
    auto next = std::chrono::steady_clock::now();
    while (keepRunning()) {
        while (XPending(native->display)) {
            XEvent event;
            XNextEvent(native->display, &event);
            if (!native->handle(event, editor)) return;
        }
        editor.idle(false);
        next += kIdlePeriod;
        // Until the next idle, the editor hears at once of data on its descriptor.
        while (std::chrono::steady_clock::now() < next) {
            pollfd wait{editor.descriptor(), POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - std::chrono::steady_clock::now());
            if (wait.fd < 0) {
                std::this_thread::sleep_until(next);
                break;
            }
            if (poll(&wait, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0) editor.idle(true);
        }
    }
}

bool EditorWindow::Native::handle(XEvent& event, PluginEditor& editor) {
    switch (event.type) {
        case ClientMessage:
            return static_cast<Atom>(event.xclient.data.l[0]) != deleteWindow;
        case DestroyNotify:
            if (event.xdestroywindow.window != window) return true;
            window = 0;
            return false;
        case KeyPress:
        case KeyRelease: {
            const VSTGUI::KeyCode key = VSTGUI::platform::keyFromX11(event.xkey);
            editor.key(event.type == KeyPress, key.character, key.virt, key.modifier);
            return true;
        }
        default:
            return true;
    }
}

bool EditorWindow::writeScreenshot(const std::string& path) {
    const int width = native->width, height = native->height;
    Display* display = native->display;
    const Window window = native->window;
    if (!window) return false;
    // The window's pixels on screen, the editor's child window included.
    XImage* shot = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!shot) return false;
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* pixels = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(pixels + y * stride);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<uint32_t>(XGetPixel(shot, x, y) & 0xffffff);
    }
    cairo_surface_mark_dirty(image);
    XDestroyImage(shot);
    const bool written = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    return written;
}

}  // namespace vsthost
