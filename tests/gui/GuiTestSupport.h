// What the toolkit tests share: a listener and an editor that write one log of what they
// hear, off-screen frames, and bitmaps made in memory.
#pragma once

#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/CControl.h"
#include "gui/CFrame.h"
#include "gui/IControlListener.h"
#include "gui/VSTGUIEditorInterface.h"
#include "gui/platform/PlatformBitmap.h"
#include "gui/platform/cairo/OffscreenFrame.h"

namespace guitest {

using Log = std::vector<std::string>;

class RecordingListener : public VSTGUI::IControlListener {
public:
    explicit RecordingListener(Log& log) : log(log) {}
    void valueChanged(VSTGUI::CControl* control) override;
    bool controlModifierClicked(VSTGUI::CControl*, VSTGUI::CButtonState) override {
        log.push_back("modifierClicked");
        return consumeModifierClicks;
    }
    void controlBeginEdit(VSTGUI::CControl*) override { log.push_back("listenerBegin"); }
    void controlEndEdit(VSTGUI::CControl*) override { log.push_back("listenerEnd"); }

    bool consumeModifierClicks = false;
    std::vector<float> values;  // every value reported through valueChanged

private:
    Log& log;
};

class RecordingEditor : public VSTGUI::VSTGUIEditorInterface {
public:
    explicit RecordingEditor(Log& log) : log(log) {}
    void beginEdit(int32_t index) override { log.push_back("editorBegin " + std::to_string(index)); }
    void endEdit(int32_t index) override { log.push_back("editorEnd " + std::to_string(index)); }

private:
    Log& log;
};

// Records the dependency messages of a control.
class RecordingDependent : public VSTGUI::IDependency::IDependent {
public:
    explicit RecordingDependent(Log& log) : log(log) {}
    void notify(VSTGUI::IDependency*, const char* message) override { log.push_back(message); }

private:
    Log& log;
};

// A frame on an off-screen surface, with the log of its editor and a listener.
class OffscreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a view to the frame (which takes the reference) and returns it.
    template <typename View>
    View* add(View* view) {
        frame->addView(view);
        return view;
    }
    VSTGUI::platform::OffscreenFrame& screen() const;
    // Paints what is dirty, as the frame's idle does.
    void redraw() { frame->idle(); }
    // Colour of a painted pixel as 0xAARRGGBB.
    uint32_t pixel(int x, int y) const { return screen().pixel(x, y); }

    Log log;
    RecordingListener listener{log};
    RecordingEditor editor{log};
    VSTGUI::CFrame* frame = nullptr;
};

// An opaque bitmap of `frames` stacked images of `width` x `height`, image i filled with
// the colour (i, 255 - i, 128).
std::shared_ptr<VSTGUI::platform::PlatformBitmap> numberedStrip(int frames, int width, int height);
// The image number a strip pixel shows (its red channel).
inline int stripFrameNumber(uint32_t pixel) { return static_cast<int>((pixel >> 16) & 0xff); }

inline uint8_t alphaOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }
inline uint8_t redOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 16); }
inline uint8_t greenOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 8); }
inline uint8_t blueOf(uint32_t pixel) { return static_cast<uint8_t>(pixel); }

}  // namespace guitest
