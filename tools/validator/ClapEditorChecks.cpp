// A CLAP plug-in's editor in a window of ours, through the gui extension's life cycle as
// CLAP hosts drive it: create, set_parent, show, hide, destroy, many times; created and
// destroyed without a parent; the host's window destroyed first; and timers serviced while
// the audio thread processes.
#include <atomic>
#include <chrono>
#include <thread>

#include "tools/validator/Check.h"
#include "tools/validator/TestedClapPlugin.h"
#include "tools/validator/Verdict.h"
#include "tools/validator/XSession.h"

namespace validator {

namespace {

constexpr int kCycles = 20;

class ClapEditorBench {
public:
    explicit ClapEditorBench(CheckContext& context) : plugin(context) {
        if (!context.environment().noDisplayReason.empty()) skip(context.environment().noDisplayReason);
        gui = plugin.instance().gui();
        if (!gui) skip("the plug-in has no gui extension");
        if (!gui->is_api_supported(plugin.plugin(), CLAP_WINDOW_API_X11, false))
            skip("the plug-in's editor does not embed in X11 windows");
        connection = std::make_unique<XConnection>();
    }

    // create and get_size; the host window is made of that size.
    void create() {
        if (!gui->create(plugin.plugin(), CLAP_WINDOW_API_X11, false)) fail("gui.create failed");
        uint32_t width = 0, height = 0;
        if (!gui->get_size(plugin.plugin(), &width, &height) || width == 0 || height == 0 || width > 8192 ||
            height > 8192)
            fail(describe("gui.get_size gave no usable size (%u x %u)", width, height));
        if (!window) window = std::make_unique<HostWindow>(*connection, static_cast<int>(width), static_cast<int>(height));
    }
    void embed() {
        clap_window_t parent{};
        parent.api = CLAP_WINDOW_API_X11;
        parent.x11 = window->id();
        if (!gui->set_parent(plugin.plugin(), &parent)) fail("gui.set_parent failed");
        gui->show(plugin.plugin());
    }
    void service(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            plugin.instance().serviceEditor(true);
            window->drainEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < end);
    }
    void destroy() { gui->destroy(plugin.plugin()); }
    // Whether our window is empty within half a second.
    bool windowEmptied() {
        for (int wait = 0; wait < 50; ++wait) {
            if (window->children().empty()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    TestedClapPlugin plugin;
    const clap_plugin_gui_t* gui = nullptr;
    std::unique_ptr<XConnection> connection;
    std::unique_ptr<HostWindow> window;
};

std::string checkLifeCycle(CheckContext& context) {
    ClapEditorBench bench(context);
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        bench.create();
        bench.embed();
        bench.service(30);
        if (bench.window->children().empty()) fail(describe("cycle %d: set_parent put no window into ours", cycle));
        bench.gui->hide(bench.plugin.plugin());
        bench.service(10);
        bench.gui->show(bench.plugin.plugin());
        bench.service(10);
        bench.destroy();
        if (!bench.windowEmptied()) fail(describe("cycle %d: the editor's window stayed after gui.destroy", cycle));
        if (!bench.plugin.instance().host().timers().empty())
            fail(describe("cycle %d: a timer stayed registered after gui.destroy", cycle));
        if (!bench.plugin.instance().host().descriptors().empty())
            fail(describe("cycle %d: a descriptor stayed registered after gui.destroy", cycle));
    }
    bench.plugin.requireThreadRules();
    return describe("%d cycles of create, set_parent, show, hide, show, destroy; nothing left behind", kCycles);
}

std::string checkWithoutParent(CheckContext& context) {
    ClapEditorBench bench(context);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        bench.create();
        bench.destroy();
    }
    bench.plugin.requireThreadRules();
    return describe("%d editors created and destroyed without ever being embedded", kCycles);
}

std::string checkParentDestroyedFirst(CheckContext& context) {
    ClapEditorBench bench(context);
    bench.create();
    bench.embed();
    bench.service(50);
    bench.window->destroy();
    bench.service(100);
    bench.destroy();
    // And the editor comes back in a fresh window.
    bench.window.reset();
    bench.create();
    bench.embed();
    bench.service(50);
    if (bench.window->children().empty()) fail("after the host's window was destroyed, a new editor did not embed");
    bench.destroy();
    bench.plugin.requireThreadRules();
    return "the host's window destroyed under the editor, then destroyed and made afresh";
}

std::string checkWhileProcessing(CheckContext& context) {
    ClapEditorBench bench(context);
    constexpr int kBlock = 256;
    bench.plugin.start(48000.0, kBlock);
    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};
    AudioBuffers buffers = bench.plugin.makeBuffers(kBlock);
    Random audioRandom(context.random().bits());
    std::thread audio([&] {
        while (running) {
            fillQuietNoise(buffers, kBlock, audioRandom);
            bench.plugin.instance().process(buffers.inputPointers(), buffers.outputPointers(), kBlock);
            ++blocks;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    for (int cycle = 0; cycle < 5; ++cycle) {
        bench.create();
        bench.embed();
        bench.service(100);
        bench.destroy();
    }
    running = false;
    audio.join();
    bench.plugin.requireThreadRules();
    return describe("5 editors made, driven and destroyed while %d blocks were processed", blocks.load());
}

}  // namespace

Group clapEditorChecks() {
    return {"clap.editor",
            {{"clap.editor.life-cycle", &checkLifeCycle},
             {"clap.editor.without-parent", &checkWithoutParent},
             {"clap.editor.parent-destroyed-first", &checkParentDestroyedFirst},
             {"clap.editor.while-processing", &checkWhileProcessing}}};
}

}  // namespace validator
