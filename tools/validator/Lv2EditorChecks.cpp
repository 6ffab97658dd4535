// An LV2 plug-in's X11 UI in a window of ours, as LV2 hosts drive it: instantiated with
// ui:parent and cleaned up many times, told hostile port values, outliving the host's
// window, and idling while the plug-in runs on another thread.
#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

#include "tools/validator/Breadcrumb.h"
#include "tools/validator/Check.h"
#include "tools/validator/TestedLv2Plugin.h"
#include "tools/validator/Verdict.h"
#include "tools/validator/XSession.h"

namespace validator {

namespace {

constexpr int kCycles = 20;
constexpr int kBlock = 256;

class Lv2EditorBench {
public:
    explicit Lv2EditorBench(CheckContext& context) : tested(context) {
        if (!context.environment().noDisplayReason.empty()) skip(context.environment().noDisplayReason);
        if (!tested.plugin().createEditor()) skip("the plug-in has no X11 UI this host can embed");
        connection = std::make_unique<XConnection>();
        tested.start(48000.0, kBlock);
    }

    void open() {
        noteStep("instantiate the UI in the host's window");
        editor = tested.plugin().createEditor();
        if (!window) window = std::make_unique<HostWindow>(*connection, editor->width(), editor->height());
        if (!editor->open(window->id())) fail("the UI would not instantiate in the host's window");
    }
    // The host's idle: port events and the UI's idle interface, with blocks run between.
    void idle(int milliseconds, bool run = true) {
        AudioBuffers buffers = tested.makeBuffers(kBlock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            if (run) tested.process(buffers, kBlock, "a block between the UI's idles");
            editor->idle(true);
            window->drainEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < end);
    }
    void close() {
        noteStep("clean the UI up");
        editor.reset();
    }
    bool windowEmptied() {
        for (int wait = 0; wait < 50; ++wait) {
            if (window->children().empty()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    TestedLv2Plugin tested;
    std::unique_ptr<XConnection> connection;
    std::unique_ptr<HostWindow> window;
    std::unique_ptr<vsthost::PluginEditor> editor;
};

std::string checkLifeCycle(CheckContext& context) {
    Lv2EditorBench bench(context);
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        bench.open();
        bench.idle(30);
        if (bench.window->children().empty()) fail(describe("cycle %d: the UI put no window into ours", cycle));
        bench.close();
        if (!bench.windowEmptied()) fail(describe("cycle %d: the UI's window stayed after cleanup", cycle));
    }
    return describe("%d cycles of instantiate, port events and idle, cleanup; nothing left behind", kCycles);
}

// Hosts pass on whatever the ports hold, and a port may hold anything another UI or the
// session wrote.
std::string checkHostilePortEvents(CheckContext& context) {
    Lv2EditorBench bench(context);
    vsthost::Lv2StereoPlugin& plugin = bench.tested.plugin();
    bench.open();
    bench.idle(30);
    const float hostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 1e30f, -1e30f,
                             std::numeric_limits<float>::denorm_min()};
    for (const float value : hostile) {
        noteStep("every control input told %g", static_cast<double>(value));
        for (int index = 0; index < plugin.parameterCount(); ++index) plugin.setValue(index, value);
        bench.idle(20, false);
    }
    for (int index = 0; index < plugin.parameterCount(); ++index) plugin.setValue(index, plugin.parameter(index).defaultValue);
    bench.idle(30);
    if (bench.window->children().empty()) fail("the UI's window went away after hostile port values");
    bench.close();
    return describe("NaN, infinities, huge and subnormal values told of all %d control inputs; the UI stayed",
                    plugin.parameterCount());
}

std::string checkParentDestroyedFirst(CheckContext& context) {
    Lv2EditorBench bench(context);
    bench.open();
    bench.idle(50);
    bench.window->destroy();
    bench.idle(100);
    bench.close();
    bench.window.reset();
    bench.open();
    bench.idle(50);
    if (bench.window->children().empty()) fail("after the host's window was destroyed, a new UI did not embed");
    bench.close();
    return "the host's window destroyed under the UI, then cleaned up and made afresh";
}

std::string checkWhileRunning(CheckContext& context) {
    Lv2EditorBench bench(context);
    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};
    AudioBuffers buffers = bench.tested.makeBuffers(kBlock);
    Random audioRandom(context.random().bits());
    std::thread audio([&] {
        while (running) {
            fillQuietNoise(buffers, kBlock, audioRandom);
            bench.tested.plugin().process(buffers.input(0), buffers.input(1), buffers.output(0), buffers.output(1), kBlock);
            ++blocks;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    for (int cycle = 0; cycle < 5; ++cycle) {
        bench.open();
        bench.idle(100, false);
        bench.close();
    }
    running = false;
    audio.join();
    return describe("5 UIs made, told the ports and idled, cleaned up while %d blocks ran", blocks.load());
}

}  // namespace

Group lv2EditorChecks() {
    return {"lv2.editor",
            {{"lv2.editor.life-cycle", &checkLifeCycle},
             {"lv2.editor.hostile-port-events", &checkHostilePortEvents},
             {"lv2.editor.parent-destroyed-first", &checkParentDestroyedFirst},
             {"lv2.editor.while-running", &checkWhileRunning}}};
}

}  // namespace validator
