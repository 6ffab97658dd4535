// The editor in a window of ours, with the sequences Linux hosts really produce: many
// openings, a second open without a close, effClose with the window open, the host's
// window destroyed first, irregular idle calls, keys and the wheel, parameter changes
// from other threads, and a close in the middle of a drag.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <thread>

#include "tools/validator/BackgroundWork.h"
#include "tools/validator/Check.h"
#include "tools/validator/EditorSession.h"
#include "tools/validator/ProcessResources.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr float kRate = 48000.0f;
constexpr int kCycles = 100;
// Descriptors an editor may keep across openings (a cached connection, a font file).
constexpr int kDescriptorAllowance = 8;
// Memory an editor may gain while nobody calls idle.
constexpr std::size_t kPauseGrowthAllowance = 32u << 20;
constexpr auto kSlowestIdle = milliseconds(1000);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void pause(milliseconds duration) { std::this_thread::sleep_for(duration); }

// Everything an editor check starts from: an instance, our connection, the host window.
struct EditorBench {
    explicit EditorBench(CheckContext& context) : host(context.host()), plugin(context) {
        EditorSession::requireEditor(context.environment(), plugin);
        connection = std::make_unique<XConnection>();
        editor = std::make_unique<EditorSession>(*connection, plugin);
    }
    vsthost::Host& host;
    TestedPlugin plugin;
    std::unique_ptr<XConnection> connection;
    std::unique_ptr<EditorSession> editor;
};

std::string checkOpenClose(CheckContext& context) {
    EditorBench bench(context);
    int descriptorsAfterFirst = 0;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        bench.editor->open();
        bench.editor->idle(3);
        bench.editor->close();
        if (!bench.editor->windowEmptied())
            fail(describe("cycle %d: the editor's window stayed in the host's window after effEditClose", cycle));
        if (cycle == 1) descriptorsAfterFirst = openDescriptors();
    }
    const int descriptors = openDescriptors();
    if (descriptors > descriptorsAfterFirst + kDescriptorAllowance)
        fail(describe("open file descriptors grew from %d to %d over %d openings", descriptorsAfterFirst,
                      descriptors, kCycles));
    return describe("%d cycles of open, idle, close: the window went each time, descriptors %d -> %d",
                    kCycles, descriptorsAfterFirst, descriptors);
}

std::string checkOpenTwice(CheckContext& context) {
    EditorBench bench(context);
    bench.editor->open();
    bench.editor->idle(2);
    const VstIntPtr second = bench.editor->openRequest();
    bench.editor->idle(5);
    const std::size_t windows = bench.editor->window().children().size();
    bench.editor->close();
    bench.editor->idle();
    if (!bench.editor->windowEmptied())
        fail(describe("after a second effEditOpen and one effEditClose, %zu windows stayed",
                      bench.editor->window().children().size()));
    bench.editor->open();
    bench.editor->close();
    return describe("second effEditOpen without a close answered %ld, %zu window(s) inside; one effEditClose "
                    "emptied the host's window; the editor opens again",
                    static_cast<long>(second), windows);
}

std::string checkEffCloseWhileOpen(CheckContext& context) {
    EditorBench bench(context);
    bench.editor->open();
    bench.editor->idle(3);
    bench.plugin.close();
    if (!bench.editor->windowEmptied()) fail("effClose with the editor open left its window in the host's window");
    return "effClose with the editor open: no crash, the editor's window went with it";
}

std::string checkOpenWhileProcessing(CheckContext& context) {
    constexpr int kOpenings = 10;
    EditorBench bench(context);
    bench.plugin.start(kRate, 256);
    AudioThread audio(bench.plugin, context.random().bits());
    for (int i = 0; i < kOpenings; ++i) {
        bench.editor->open();
        for (int idle = 0; idle < 5; ++idle) {
            bench.editor->idle();
            pause(milliseconds(10));
        }
        bench.editor->close();
    }
    audio.stop();
    return describe("%d openings and closings while an audio thread processed %ld blocks", kOpenings, audio.blocks());
}

std::string checkParentDestroyed(CheckContext& context) {
    EditorBench bench(context);
    bench.editor->open();
    bench.editor->idle(3);
    bench.editor->window().destroy();
    for (int i = 0; i < 10; ++i) {
        bench.editor->idle();
        pause(milliseconds(10));
    }
    bench.editor->close();
    bench.editor->replaceWindow();
    bench.editor->open();
    bench.editor->idle(3);
    bench.editor->close();
    return "host window destroyed before effEditClose, idle calls in between: no crash, no exit; the editor "
           "opens again in a new window";
}

std::string checkIdleRates(CheckContext& context) {
    constexpr auto kFifteenHertz = milliseconds(67);
    constexpr auto kSilence = milliseconds(2000);
    EditorBench bench(context);
    bench.editor->open();
    int x = 0, y = 0;
    const bool canPoint = windowCentre(bench.connection->display(), bench.editor->window().id(), x, y);
    std::unique_ptr<FakePointer> pointer;
    try {
        pointer = std::make_unique<FakePointer>(*bench.connection);
    } catch (const CheckSkipped&) {
    }
    ParameterThread changes(bench.plugin, context.random().bits());
    for (int i = 0; i < 15; ++i) {
        bench.editor->idle();
        pause(kFifteenHertz);
    }
    // No idle for a while, with changes and pointer motion arriving all the time.
    const std::size_t before = residentBytes();
    const auto silenceEnd = Clock::now() + kSilence;
    int moves = 0;
    while (Clock::now() < silenceEnd) {
        if (pointer && canPoint) {
            pointer->moveTo(x + (moves % 40) - 20, y + (moves % 30) - 15);
            ++moves;
        }
        pause(milliseconds(5));
    }
    const std::size_t after = residentBytes();
    const auto firstIdle = Clock::now();
    bench.editor->idle();
    const double firstIdleMs = millisecondsSince(firstIdle);
    for (int i = 0; i < 15; ++i) {
        bench.editor->idle();
        pause(kFifteenHertz);
    }
    changes.stop();
    bench.editor->close();
    const double grownMiB = after > before ? static_cast<double>(after - before) / (1 << 20) : 0.0;
    if (after > before + kPauseGrowthAllowance)
        fail(describe("memory grew by %.1f MiB while idle was not called (%ld parameter changes)", grownMiB,
                      changes.changes()));
    if (firstIdleMs > static_cast<double>(kSlowestIdle.count()))
        fail(describe("the first idle after a 2 s pause took %.0f ms", firstIdleMs));
    return describe("idle at 15 Hz, then none for 2 s under %ld parameter changes and %d pointer moves: "
                    "memory +%.1f MiB, the next idle took %.1f ms",
                    changes.changes(), moves, grownMiB, firstIdleMs);
}

std::string checkKeysAndWheel(CheckContext& context) {
    constexpr int kEvents = 300;
    const VstInt32 wheelVendor = kWheelVendor;
    const VstIntPtr wheelMessage = kWheelMessage;
    const float distances[] = {1.0f, -1.0f, 0.5f, -0.5f, 120.0f, -120.0f, 1e30f,
                               std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    EditorBench bench(context);
    bench.editor->open();
    Random& random = context.random();
    for (int i = 0; i < kEvents; ++i) {
        switch (random.integer(0, 2)) {
            case 0:
            case 1: {
                const VstInt32 character = random.chance(0.5) ? random.integer(0, 127) : 0;
                const VstIntPtr virtualKey = random.integer(0, 60);
                const float modifiers = static_cast<float>(random.integer(0, 15));
                bench.plugin.dispatch(random.chance(0.5) ? effEditKeyDown : effEditKeyUp, character, virtualKey,
                                      nullptr, modifiers);
                break;
            }
            default:
                bench.plugin.dispatch(effVendorSpecific, wheelVendor, wheelMessage, nullptr,
                                      distances[random.integer(0, std::size(distances) - 1)]);
                break;
        }
        if (i % 10 == 0) bench.editor->idle();
    }
    for (VstIntPtr mode = 0; mode < 3; ++mode) bench.plugin.dispatch(effSetEditKnobMode, 0, mode);
    bench.editor->idle(3);
    bench.editor->close();
    return describe("%d key-down, key-up and wheel requests (NaN and infinite distances included) while open",
                    kEvents);
}

std::string checkParametersFromOtherThreads(CheckContext& context) {
    constexpr auto kDuration = milliseconds(2000);
    EditorBench bench(context);
    bench.editor->open();
    ParameterThread first(bench.plugin, context.random().bits()), second(bench.plugin, context.random().bits());
    const auto end = Clock::now() + kDuration;
    long idles = 0;
    while (Clock::now() < end) {
        bench.editor->idle();
        ++idles;
        pause(milliseconds(33));
    }
    first.stop();
    second.stop();
    bench.editor->close();
    return describe("%ld parameter changes from two other threads while the editor was open (%ld idle calls)",
                    first.changes() + second.changes(), idles);
}

// Edit gestures the plug-in opened and has not closed, by parameter.
long openGestures(const vsthost::Host& host) {
    std::map<VstInt32, long> open;
    for (const vsthost::HostRequest& request : host.requests()) {
        if (request.opcode == audioMasterBeginEdit) ++open[request.index];
        if (request.opcode == audioMasterEndEdit) --open[request.index];
    }
    long total = 0;
    for (const auto& entry : open) total += std::max(0L, entry.second);
    return total;
}

long countRequests(const vsthost::Host& host, VstInt32 opcode) {
    const auto requests = host.requests();
    return std::count_if(requests.begin(), requests.end(),
                         [&](const vsthost::HostRequest& request) { return request.opcode == opcode; });
}

// Presses at `x`, `y`, moves upwards in steps with idle calls between them.
void dragFrom(FakePointer& pointer, EditorSession& editor, int x, int y, int steps) {
    pointer.moveTo(x, y);
    editor.idle();
    pointer.button(true);
    pause(milliseconds(5));
    editor.idle();
    for (int step = 1; step <= steps; ++step) {
        pointer.moveTo(x + step, y - 4 * step);
        pause(milliseconds(5));
        editor.idle();
    }
}

std::string checkCloseDuringDrag(CheckContext& context) {
    constexpr int kColumns = 6, kRows = 4;
    EditorBench bench(context);
    FakePointer pointer(*bench.connection);
    bench.host.setRecording(true);
    bench.editor->open();
    bench.editor->idle(3);
    int left = 0, top = 0;
    const Window editorWindow = bench.editor->window().children().front();
    if (!windowCentre(bench.connection->display(), editorWindow, left, top)) fail("the editor's window vanished");
    XWindowAttributes attributes{};
    XGetWindowAttributes(bench.connection->display(), editorWindow, &attributes);
    left -= attributes.width / 2;
    top -= attributes.height / 2;

    // Find a spot where a drag starts an edit gesture (a knob or a slider), else use the centre.
    int x = left + attributes.width / 2, y = top + attributes.height / 2;
    bool gestureFound = false;
    for (int row = 0; row < kRows && !gestureFound; ++row) {
        for (int column = 0; column < kColumns && !gestureFound; ++column) {
            const int px = left + (2 * column + 1) * attributes.width / (2 * kColumns);
            const int py = top + (2 * row + 1) * attributes.height / (2 * kRows);
            bench.host.clearRequests();
            dragFrom(pointer, *bench.editor, px, py, 2);
            gestureFound = countRequests(bench.host, audioMasterBeginEdit) > 0;
            pointer.button(false);
            bench.editor->idle(2);
            if (gestureFound) {
                x = px;
                y = py;
            }
        }
    }

    bench.host.clearRequests();
    dragFrom(pointer, *bench.editor, x, y, 8);
    const long begun = countRequests(bench.host, audioMasterBeginEdit);
    bench.editor->close();
    pointer.button(false);
    pause(milliseconds(20));
    const long leftOpen = openGestures(bench.host);
    const long ended = countRequests(bench.host, audioMasterEndEdit);
    if (leftOpen > 0)
        fail(describe("effEditClose in the middle of a drag left %ld edit gesture(s) open (%ld beginEdit, %ld endEdit)",
                      leftOpen, begun, ended));
    bench.editor->open();
    bench.editor->idle(3);
    bench.editor->close();
    return gestureFound ? describe("closed during a drag on a control: %ld beginEdit, %ld endEdit; opens again", begun, ended)
                        : "closed during a drag at the centre (no spot of a 6 x 4 grid started an edit gesture); "
                          "opens again";
}

}  // namespace

Group editorChecks() {
    return {"editor",
            {{"editor.open-close", &checkOpenClose},
             {"editor.open-twice", &checkOpenTwice},
             {"editor.effclose-while-open", &checkEffCloseWhileOpen},
             {"editor.open-while-processing", &checkOpenWhileProcessing},
             {"editor.parent-destroyed", &checkParentDestroyed},
             {"editor.idle-rates", &checkIdleRates},
             {"editor.keys-and-wheel", &checkKeysAndWheel},
             {"editor.parameters-from-other-threads", &checkParametersFromOtherThreads},
             {"editor.close-during-drag", &checkCloseDuringDrag}}};
}

}  // namespace validator
