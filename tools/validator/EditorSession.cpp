#include "tools/validator/EditorSession.h"

#include <chrono>
#include <thread>

#include "tools/validator/Verdict.h"

namespace validator {

namespace {
constexpr int kLargestSide = 4096;
}

void EditorSession::requireEditor(const Environment& environment, TestedPlugin& plugin) {
    if (!environment.noDisplayReason.empty()) skip(environment.noDisplayReason);
    if (!plugin.hasEditor()) skip("the plug-in announces no editor");
}

EditorSession::EditorSession(XConnection& connection, TestedPlugin& plugin)
    : connection_(connection), plugin_(plugin) {
    ERect* rect = nullptr;
    plugin_.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect) {
        const int width = rect->right - rect->left;
        const int height = rect->bottom - rect->top;
        if (width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide) {
            width_ = width;
            height_ = height;
        }
    }
    window_ = std::make_unique<HostWindow>(connection_, width_, height_);
}

void EditorSession::open() {
    const VstIntPtr answer = openRequest();
    idle(3);
    if (!window_->children().empty()) {
        everOpened_ = true;
        return;
    }
    if (!everOpened_)
        skip(describe("effEditOpen (answered %ld) put no window into the host's window", static_cast<long>(answer)));
    fail(describe("effEditOpen (answered %ld) put no window into the host's window this time", static_cast<long>(answer)));
}

void EditorSession::idle(int times) {
    for (int i = 0; i < times; ++i) {
        plugin_.dispatch(effEditIdle);
        XSync(connection_.display(), False);
    }
    window_->drainEvents();
}

void EditorSession::close() {
    plugin_.dispatch(effEditClose);
    XSync(connection_.display(), False);
}

void EditorSession::replaceWindow() { window_ = std::make_unique<HostWindow>(connection_, width_, height_); }

bool EditorSession::windowEmptied() {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!window_->children().empty()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace validator
