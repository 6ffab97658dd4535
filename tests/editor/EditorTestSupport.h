// The effect with its editor, linked directly: a host callback that records what the
// effect sends, meter levels set by the test, a clock the test turns, and the editor's
// window on an off-screen surface.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/RovuduradirEditor.h"
#include "effect/Rovuduradir.h"
#include "gui/CControl.h"
#include "gui/platform/cairo/OffscreenFrame.h"

namespace editortest {

struct HostRequest {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

// Requests the effect sent to the host since the last clear.
std::vector<HostRequest>& hostRequests();
VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                        float opt);

// The effect with meter levels chosen by the test.
class MeteredEffect : public Rovuduradir {
public:
    MeteredEffect() : Rovuduradir(recordingHost) {}
    float getGainReductionLeft() override { return reductionLeft; }
    float getGainReductionRight() override { return reductionRight; }
    float getInputLevel() override { return inputLevel; }
    float getOutputLevel() override { return outputLevel; }

    float reductionLeft = 0.0f;
    float reductionRight = 0.0f;
    float inputLevel = 0.0f;
    float outputLevel = 0.0f;
};

// A preset button (tag 20 to 23) released over itself: it reports 1, then 0.
void pressButton(RovuduradirEditor& editor, int32_t tag);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void openWindow();
    // Idle calls `milliseconds` apart, the clock advancing between them.
    void idleFor(uint32_t milliseconds, uint32_t step = 20);
    VSTGUI::CControl* control(int index) const { return editor->content().getParameterControl(index); }
    VSTGUI::platform::OffscreenFrame& screen() const;
    // The user changes a control as a drag would: value, then the listener call.
    void userSets(int index, float value);
    // Automation requests for one parameter, in order.
    std::vector<float> automationOf(VstInt32 index) const;
    std::string readout() const { return editor->content().getReadoutText(); }

    std::unique_ptr<MeteredEffect> effect;
    RovuduradirEditor* editor = nullptr;
    uint32_t now = 5000;
};

}  // namespace editortest
