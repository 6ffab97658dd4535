// The editor as an LV2 X11 UI, in a binary of its own: the library's one export,
// lv2ui_descriptor. It knows the plug-in only through its ports: the host tells it each
// control's real value and the four meters through port_event, and it writes the user's
// changes through the write function, each drag between ui:touch gestures. Driven by the
// host's idle through ui:idleInterface; embedded in the window given as ui:parent.
#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <array>
#include <cstring>
#include <new>

#include "dsp/SignalPath.h"
#include "editor/EditorCore.h"
#include "editor/EditorEffect.h"
#include "effect/ParameterUnits.h"
#include "gui/platform/UserInterfaceThread.h"
#include "host/BoundaryGuard.h"
#include "lv2/Lv2Ports.h"

namespace {

class Lv2Ui final : private EditorEffect {
public:
    Lv2Ui(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch)
        : write(write), controller(controller), touch(touch), editor(*this) {
        for (int32_t i = 0; i < parameter::kActiveCount; ++i) values[i] = parameter::defaultValue(i);
    }
    ~Lv2Ui() { editor.close(); }
    Lv2Ui(const Lv2Ui&) = delete;
    Lv2Ui& operator=(const Lv2Ui&) = delete;

    bool open(void* parent) { return editor.open(parent); }
    uintptr_t widget() const { return editor.getFrame()->getPlatformFrame()->nativeWindow(); }
    int width() const { return static_cast<int>(editor.getWidth()); }
    int height() const { return static_cast<int>(editor.getHeight()); }
    void idle() { editor.idle(); }

    void portEvent(uint32_t port, float value) {
        if (lv2port::isControl(port)) {
            const int32_t index = lv2port::parameterOf(port);
            values[index] = parameter::fromRealFloat(index, value);
            editor.parameterChanged(index);
            return;
        }
        constexpr float kRange = dsp::BlockMeters::kGainReductionRangeDb;
        switch (port) {
            case lv2port::kGainReductionLeft:
                meters.gainReductionLeft = value / kRange;
                break;
            case lv2port::kGainReductionRight:
                meters.gainReductionRight = value / kRange;
                break;
            case lv2port::kInputLevel:
                meters.inputLevel = value;
                break;
            case lv2port::kOutputLevel:
                meters.outputLevel = value;
                break;
            default:
                break;
        }
    }

private:
    float getParameter(int index) override { return parameter::isActive(index) ? values[index] : 0.0f; }
    void setParameterAutomated(int index, float value) override {
        if (!parameter::isActive(index)) return;
        values[index] = value;
        editor.parameterChanged(index);
        const float real = parameter::toRealFloat(index, value);
        write(controller, lv2port::portOf(index), sizeof real, 0, &real);
    }
    bool beginEdit(int32_t index) override { return grab(index, true); }
    bool endEdit(int32_t index) override { return grab(index, false); }
    bool grab(int32_t index, bool grabbed) {
        // The meters and the views without a parameter have no port to touch.
        if (!parameter::isActive(index) || !touch) return false;
        touch->touch(touch->handle, lv2port::portOf(index), grabbed);
        return true;
    }
    float getGainReductionLeft() override { return meters.gainReductionLeft; }
    float getGainReductionRight() override { return meters.gainReductionRight; }
    float getInputLevel() override { return meters.inputLevel; }
    float getOutputLevel() override { return meters.outputLevel; }

    LV2UI_Write_Function write;
    LV2UI_Controller controller;
    const LV2UI_Touch* touch;
    VSTGUI::platform::UserInterfaceThread userInterfaceThread;
    std::array<float, parameter::kActiveCount> values{};
    dsp::BlockMeters meters;
    EditorCore editor;
};

const void* feature(const LV2_Feature* const* features, const char* uri) {
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
    return nullptr;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (!pluginUri || std::strcmp(pluginUri, lv2port::kPluginUri) != 0 || !write || !widget) return nullptr;
    void* parent = const_cast<void*>(feature(features, LV2_UI__parent));
    if (!parent) return nullptr;  // only embedded in the host's window
    return guardBoundary<LV2UI_Handle>(nullptr, [&]() -> LV2UI_Handle {
        const auto* touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
        auto* ui = new (std::nothrow) Lv2Ui(write, controller, touch);
        if (!ui) return nullptr;
        if (!ui->open(parent)) {
            delete ui;
            return nullptr;
        }
        *widget = reinterpret_cast<LV2UI_Widget>(ui->widget());
        if (const auto* resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize)))
            resize->ui_resize(resize->handle, ui->width(), ui->height());
        return ui;
    });
}

void cleanup(LV2UI_Handle handle) { delete static_cast<Lv2Ui*>(handle); }

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    // Only the float protocol: a port's value.
    if (!handle || format != 0 || size != sizeof(float) || !buffer) return;
    float value;
    std::memcpy(&value, buffer, sizeof value);
    guardBoundary(0, [&] {
        static_cast<Lv2Ui*>(handle)->portEvent(port, value);
        return 0;
    });
}

int idle(LV2UI_Handle handle) {
    if (handle) guardBoundary(0, [&] {
            static_cast<Lv2Ui*>(handle)->idle();
            return 0;
        });
    return 0;
}

const LV2UI_Idle_Interface kIdle{idle};

const void* extensionData(const char* uri) {
    return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdle : nullptr;
}

const LV2UI_Descriptor kDescriptor{lv2port::kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
