// The threads of a host meeting in the plug-in: audio, parameter changes from two other
// threads, and the user-interface thread choosing the current program again and running
// the editor (when it can be shown) or making the requests of a host's generic parameter
// view.
#include <chrono>
#include <optional>
#include <thread>

#include "tools/validator/BackgroundWork.h"
#include "tools/validator/Check.h"
#include "tools/validator/EditorSession.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr float kRate = 48000.0f;
constexpr auto kDuration = std::chrono::milliseconds(1500);
constexpr auto kUserInterfaceTick = std::chrono::milliseconds(33);

std::string checkParametersWhileProcessing(CheckContext& context) {
    TestedPlugin plugin(context);
    if (plugin.parameterCount() == 0) skip("the plug-in has no parameters");
    plugin.start(kRate, 256);

    // The editor, when this machine and the plug-in can show it.
    std::optional<XConnection> connection;
    std::optional<EditorSession> editor;
    bool editorOpen = false;
    if (context.environment().noDisplayReason.empty() && plugin.hasEditor()) {
        connection.emplace();
        editor.emplace(*connection, plugin);
        try {
            editor->open();
            editorOpen = true;
        } catch (const CheckSkipped&) {
        }
    }

    Random& random = context.random();
    AudioThread audio(plugin, random.bits());
    ParameterThread first(plugin, random.bits()), second(plugin, random.bits());
    const auto end = std::chrono::steady_clock::now() + kDuration;
    long ticks = 0;
    while (std::chrono::steady_clock::now() < end) {
        // A host's program menu choosing the program that is already current: it must not
        // undo what the other threads set meanwhile.
        plugin.dispatch(effSetProgram, 0, plugin.dispatch(effGetProgram));
        if (editorOpen) {
            editor->idle();
        } else {
            const int index = random.integer(0, plugin.parameterCount() - 1);
            plugin.text(effGetParamDisplay, index);
            plugin.text(effGetParamName, index);
        }
        ++ticks;
        std::this_thread::sleep_for(kUserInterfaceTick);
    }
    first.stop();
    second.stop();
    audio.stop();
    if (editorOpen) editor->close();
    return describe("%ld blocks on an audio thread, %ld parameter changes and reads from two other "
                    "threads, %ld program choices and %ld %s on the user-interface thread",
                    audio.blocks(), first.changes() + second.changes(), ticks, ticks,
                    editorOpen ? "editor idle calls" : "display and name requests (no editor shown)");
}

}  // namespace

Group threadChecks() {
    return {"threads", {{"threads.parameters-while-processing", &checkParametersWhileProcessing}}};
}

}  // namespace validator
