// The editor of a CLAP instance, between the host's gui create and destroy: the
// format-neutral editor, whose changes and gestures go to the host as events from the
// next audio or flush call, driven by the host's timer and, where it offers one, by a
// wait on the window system's connection. Main thread only.
#pragma once

#include <clap/clap.h>

#include "clap/EditorEvents.h"
#include "editor/EditorCore.h"
#include "editor/EditorEffect.h"
#include "gui/platform/UserInterfaceThread.h"

class ClapPlugin;

class ClapEditor final : private EditorEffect {
public:
    explicit ClapEditor(ClapPlugin& plugin);
    ~ClapEditor();
    ClapEditor(const ClapEditor&) = delete;
    ClapEditor& operator=(const ClapEditor&) = delete;

    // Opens the window inside the host's; false when it cannot be made.
    bool setParent(void* parentWindow);
    void setVisible(bool visible);
    // The host's timer, or the connection readable: what changed meanwhile reaches the
    // controls, then the editor's own idle.
    void idle();
    bool ownsTimer(clap_id id) const { return timerRegistered && id == timer; }
    bool ownsDescriptor(int fd) const { return descriptor >= 0 && fd == descriptor; }

    EditorCore& content() { return editor; }

private:
    float getParameter(int index) override;
    void setParameterAutomated(int index, float value) override;
    bool beginEdit(int32_t index) override;
    bool endEdit(int32_t index) override;
    float getGainReductionLeft() override;
    float getGainReductionRight() override;
    float getInputLevel() override;
    float getOutputLevel() override;

    void queue(EditorEvents::Kind kind, int32_t index, double value);
    void unregisterDescriptor();

    ClapPlugin& plugin;
    VSTGUI::platform::UserInterfaceThread userInterfaceThread;
    EditorCore editor;
    const clap_host_timer_support_t* timerSupport = nullptr;
    const clap_host_posix_fd_support_t* descriptorSupport = nullptr;
    clap_id timer = CLAP_INVALID_ID;
    bool timerRegistered = false;
    int descriptor = -1;
};
