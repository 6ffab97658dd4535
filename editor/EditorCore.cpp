#include "editor/EditorCore.h"

#include <algorithm>
#include <cstdio>

#include "editor/EditorLayout.h"
#include "editor/ReadoutMessages.h"
#include "editor/VireRude_StaticVectorImage.h"
#include "editor/VireRude_VectorKnob.h"
#include "effect/EffectIdentity.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "gui/CTextLabel.h"
#include "gui/platform/Clock.h"

using namespace VSTGUI;

namespace {

constexpr uint32_t kHoverIntervalMs = 1000;
constexpr CColor kWindowBackground{30, 30, 30, 255};
constexpr CColor kTitleColour{255, 199, 4, 255};
constexpr CColor kLightGrey{220, 220, 220, 255};
constexpr CColor kReadoutGrey{180, 180, 180, 255};
constexpr CColor kCaptionGrey{230, 230, 230, 255};
constexpr const char* kVendorAddress = "mvz.example";
constexpr const char* kVendorName = "MVZ Audio";

// Shared by every editor of the process, made on first use and never released.
CFontDesc* titleFont() {
    static CFontDesc font("Verdana", 28);
    return &font;
}
CFontDesc* labelFont() {
    static CFontDesc font("Verdana", 12);
    return &font;
}
CFontDesc* buttonFont() {
    static CFontDesc font("Verdana", 11);
    return &font;
}

// The parameters whose change, with auto-gain on, asks for a new measurement; the input
// gain asks on its own terms, the auto-gain switch always.
bool autoGainAnswersChangesOf(int32_t tag) {
    switch (tag) {
        case parameter::kAttack:
        case parameter::kRelease:
        case parameter::kRatio:
        case parameter::kLeftGrid:
        case parameter::kRightGrid:
        case parameter::kDryWet:
        case parameter::kSidechain:
            return true;
        default:
            return false;
    }
}

CRect toRect(const layout::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

// A strip control's rectangle, from its place and the size of one image of its bitmap.
CRect stripRect(const layout::StripControl& place, const CBitmap& bitmap) {
    return CRect(place.left, place.top, place.left + bitmap.getWidth(),
                 place.top + bitmap.getHeight() / place.image.frames);
}

}  // namespace

EditorCore::EditorCore(EditorEffect& effect)
    : effect(effect),
      backgroundBitmap(SharedPointer<CBitmap>::adopt(new CBitmap(layout::kBackground.resource))),
      tickSource(platform::millisecondTicks),
      presetActions(effect) {}

EditorCore::~EditorCore() { close(); }

double EditorCore::getWidth() const { return backgroundBitmap->getWidth(); }
double EditorCore::getHeight() const { return backgroundBitmap->getHeight(); }

bool EditorCore::onWindowThread() const {
    return windowThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

bool EditorCore::open(void* parentWindow) {
    // Some hosts open again without closing first.
    close();
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    const CRect size(0, 0, getWidth(), getHeight());
    auto* newFrame = new CFrame(size, this);
    if (!newFrame->open(parentWindow)) {
        newFrame->forget();
        return false;
    }
    newFrame->setBackgroundColor(kWindowBackground);
    newFrame->setBackground(backgroundBitmap.get());
    pendingParameters.store(0);
    frame = newFrame;
    createViews();
    return true;
}

void EditorCore::createViews() {
    const auto addLabel = [&](const layout::Rect& r, const char* text, CFontDesc* font,
                              const CColor& colour, CHoriTxtAlign align) {
        auto* label = new CTextLabel(toRect(r), text, nullptr, 0);
        label->setFont(font);
        label->setFontColor(colour);
        label->setBackColor(kTransparentCColor);
        label->setFrameColor(kTransparentCColor);
        label->setHoriAlign(align);
        frame->addView(label);
        return label;
    };
    // The bitmap is the control's own from here on: it holds a reference of its own.
    const auto addKnob = [&](const layout::StripControl& place) {
        auto bitmap = SharedPointer<CBitmap>::adopt(new CBitmap(place.image.resource));
        const int32_t frames = place.image.frames;
        auto* knob = new CAnimKnob(stripRect(place, *bitmap), this, place.tag, frames,
                                   bitmap->getHeight() / frames, bitmap.get());
        knob->setValue(place.tag == layout::kMeterTag ? 0.0f : effect.getParameter(place.tag));
        frame->addView(knob);
        return knob;
    };
    const auto addSwitch = [&](const layout::StripControl& place) {
        auto bitmap = SharedPointer<CBitmap>::adopt(new CBitmap(place.image.resource));
        auto* button = new COnOffButton(stripRect(place, *bitmap), this, place.tag, bitmap.get(), 0);
        button->setDefaultValue(0.0f);
        button->setValue(effect.getParameter(place.tag));
        frame->addView(button);
        return button;
    };
    const auto addButton = [&](const layout::PresetButton& place) {
        auto* button = new CTextButton(toRect(place.rect), this, place.tag, place.title,
                                       CTextButton::kKickStyle);
        button->setFont(buttonFont());
        button->setTextColor(kLightGrey);
        button->setTextColorHighlighted(kBlackCColor);
        button->setGradient(nullptr);
        button->setGradientHighlighted(nullptr);
        button->setFrameColor(kTransparentCColor);
        button->setFrameColorHighlighted(kTransparentCColor);
        button->setMin(0.0f);
        button->setMax(1.0f);
        frame->addView(button);
    };
    const auto place = [&](CControl* control) { parameterControls[control->getTag()] = control; };

    for (const layout::Corner& corner : layout::kCorners) {
        auto* shape = new VireRude_StaticVectorImage(toRect(corner.rect), this, corner.tag, nullptr);
        shape->shapeKind = corner.figure;
        shape->shapeFraction = corner.fraction;
        frame->addView(shape);
    }
    addLabel(layout::kTitle, kEffectName, titleFont(), kTitleColour, kLeftText);
    addLabel(layout::kVendorTop, kVendorAddress, labelFont(), kLightGrey, kLeftText);
    addLabel(layout::kVendorBottom, kVendorName, labelFont(), kLightGrey, kLeftText);
    readoutLabel = addLabel(layout::kReadout, "---", labelFont(), kReadoutGrey, kLeftText);
    std::snprintf(readoutText, sizeof readoutText, "---");
    place(addKnob(layout::kInputGainKnob));
    place(addKnob(layout::kOutputVolumeKnob));
    place(addKnob(layout::kAttackKnob));
    place(addKnob(layout::kReleaseKnob));
    place(addKnob(layout::kRatioKnob));
    place(addKnob(layout::kLeftGridControl));
    place(addKnob(layout::kRightGridControl));
    meterLeft = addKnob(layout::kLeftMeter);
    meterRight = addKnob(layout::kRightMeter);
    place(addSwitch(layout::kAutoGainSwitch));
    place(addSwitch(layout::kPowerSwitch));
    place(addKnob(layout::kSidechainSwitch));
    for (const layout::PresetButton& button : layout::kPresetButtons) addButton(button);
    addLabel(layout::kDryWetCaption, "dry/wet balance", normalFont(), kCaptionGrey, kRightText);
    auto* dryWetKnob = new VireRude_VectorKnob(toRect(layout::kDryWetKnob), this, parameter::kDryWet, nullptr);
    dryWetKnob->setValue(effect.getParameter(parameter::kDryWet));
    frame->addView(dryWetKnob);
    place(dryWetKnob);
}

void EditorCore::close() {
    if (!frame) return;
    CFrame* closing = frame;
    frame = nullptr;
    // The frame destroys the views; none of these references may be used from here on.
    parameterControls.fill(nullptr);
    meterLeft = meterRight = nullptr;
    readoutLabel = nullptr;
    closing->forget();
}

CControl* EditorCore::getParameterControl(int32_t index) const {
    return parameter::isActive(index) ? parameterControls[index] : nullptr;
}

void EditorCore::parameterChanged(int32_t index) {
    if (!parameter::isActive(index)) return;
    if (!onWindowThread()) {
        // Release, with the acquire at idle: the window's thread then reads the value
        // stored before this call, also on processors that reorder stores.
        pendingParameters.fetch_or(1u << index, std::memory_order_release);
        return;
    }
    if (frame) followParameter(index);
}

void EditorCore::followParameter(int32_t index) {
    parameterControls[index]->setValue(effect.getParameter(index));
}

void EditorCore::applyPendingParameters() {
    const uint32_t pending = pendingParameters.exchange(0, std::memory_order_acquire);
    if (!frame) return;
    for (int32_t index = 0; index < parameter::kActiveCount; ++index)
        if (pending & (1u << index)) followParameter(index);
}

void EditorCore::showReadout(const char* text) {
    std::snprintf(readoutText, sizeof readoutText, "%s", text);
    if (!readoutLabel) return;
    readoutLabel->setText(readoutText);
    readoutLabel->invalid();
}

void EditorCore::showControlMessage(int32_t tag, float value, ReadoutOccasion occasion) {
    char message[sizeof readoutText];
    if (formatReadout(tag, value, occasion, message, sizeof message)) showReadout(message);
}

void EditorCore::valueChanged(CControl* control) {
    const int32_t tag = control->getTag();
    const bool autoGainWasOn = parameter::isOn(effect.getParameter(parameter::kAutogain));
    if (parameter::isActive(tag)) {
        const float value = control->getValue();
        if (tag == parameter::kGain && autoGainWasOn) {
            const float oldIn = effect.getParameter(parameter::kGain);
            const float oldOut = effect.getParameter(parameter::kVolume);
            const float delta = value - oldIn;
            autoGain.autoGainRefreshRequested = true;
            // Raising the input lowers the output by as much; lowering it leaves it.
            if (delta > 0.0f)
                effect.setParameterAutomated(parameter::kVolume, std::clamp(oldOut - delta, 0.0f, 1.0f));
        }
        effect.setParameterAutomated(tag, value);
        control->setDirty(true);
        if ((autoGainWasOn && autoGainAnswersChangesOf(tag)) || tag == parameter::kAutogain)
            autoGain.autoGainRefreshRequested = true;
        showControlMessage(tag, control->getValue(), ReadoutOccasion::changed);
        return;
    }
    // A button released over itself reports 1 and at once 0; the action runs on the 1.
    if (control->getValue() > 0.5f) runPresetAction(tag);
}

void EditorCore::runPresetAction(int32_t tag) {
    switch (tag) {
        case layout::kLoadTag:
            if (presetActions.load(frame) != PresetActions::DialogOutcome::unavailable)
                requestAutoGainIfOn();
            break;
        case layout::kSaveTag:
            presetActions.save(frame);
            break;
        case layout::kCopyTag:
            presetActions.copyPresetToClipboard(frame);
            showReadout("Preset to Clipboard");
            break;
        case layout::kPasteTag:
            showReadout(presetActions.pastePresetFromClipboard(frame) ? "Preset From Clipboard"
                                                                      : "Failed From Clipboard");
            requestAutoGainIfOn();
            break;
        default:
            break;  // the meters and the corner shapes
    }
}

void EditorCore::requestAutoGainIfOn() {
    if (parameter::isOn(effect.getParameter(parameter::kAutogain)))
        autoGain.autoGainRefreshRequested = true;
}

void EditorCore::idle() {
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    applyPendingParameters();
    if (!frame) return;
    frame->idle();
    const uint32_t now = tickSource();
    if (now - lastHoverTicks > kHoverIntervalMs) {
        hoverReadout();
        lastHoverTicks = now;
    }
    if (now - lastMeterTicks > AutoGain::kTickMs) {
        meterTick();
        lastMeterTicks = now;
    }
}

void EditorCore::hoverReadout() {
    CPoint where;
    if (!frame->getCurrentMouseLocation(where)) return;
    CView* view = frame->getViewAt(where);
    for (int32_t index = 0; index < parameter::kActiveCount; ++index) {
        CControl* control = parameterControls[index];
        if (view && view == control)
            showControlMessage(index, control->getValue(), ReadoutOccasion::hovered);
    }
}

void EditorCore::meterTick() {
    // A meter's value is the gain left after the reduction: 1 shows none, 0 the full 25 dB.
    meterLeft->setValue(1.0f - effect.getGainReductionLeft());
    meterLeft->setDirty(true);
    meterRight->setValue(1.0f - effect.getGainReductionRight());
    meterRight->setDirty(true);
    autoGain.tick(effect);
}
