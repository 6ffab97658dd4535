#include "editor/RovuduradirEditor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/ReadoutMessages.h"
#include "editor/VireRude_StaticVectorImage.h"
#include "editor/VireRude_VectorKnob.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/CNewFileSelector.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "gui/CTextLabel.h"
#include "gui/platform/linux/MillisecondClock.h"
#include "presets/PresetState.h"

using namespace VSTGUI;

namespace {

enum Resource : int32_t {
    kBackgroundImage = 101,
    kKnobImageA = 102,
    kKnobImageB = 103,
    kLeftGridImage = 104,
    kRightGridImage = 105,
    kPowerImage = 106,
    kAutoGainImage = 107,
    kSidechainImage = 108,
    kLeftMeterImage = 109,
    kRightMeterImage = 110,
};

enum Tag : int32_t {
    kInputGain = 0,
    kOutputVolume = 1,
    kAttack = 2,
    kRelease = 3,
    kRatio = 4,
    kLeftGrid = 5,
    kRightGrid = 6,
    kDryWet = 7,
    kPower = 8,
    kAutoGainSwitch = 9,
    kSidechain = 10,
    kLoad = 20,
    kSave = 21,
    kCopy = 22,
    kPaste = 23,
};

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

bool autoGainAnswersChangesOf(int32_t tag) {
    switch (tag) {
        case kAttack:
        case kRelease:
        case kRatio:
        case kLeftGrid:
        case kRightGrid:
        case kDryWet:
        case kSidechain:
            return true;
        default:
            return false;
    }
}

// A bitmap control's rectangle: its left and top, and the size of one of its images.
CRect imageRect(double left, double top, const CBitmap& bitmap, int32_t images) {
    return CRect(left, top, left + bitmap.getWidth(), top + bitmap.getHeight() / images);
}

}  // namespace

RovuduradirEditor::RovuduradirEditor(AudioEffect* effect, EditorEffect& parameters)
    : AEffGUIEditor(effect),
      parameters(parameters),
      backgroundBitmap(SharedPointer<CBitmap>::adopt(new CBitmap(kBackgroundImage))),
      tickSource(platform::millisecondTicks),
      presets(std::make_unique<PresetState>()) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(backgroundBitmap->getHeight());
    rect.right = static_cast<VstInt16>(backgroundBitmap->getWidth());
    setKnobMode(2);
}

RovuduradirEditor::~RovuduradirEditor() { close(); }

bool RovuduradirEditor::onUserInterfaceThread() const {
    return windowThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

bool RovuduradirEditor::open(void* parentWindow) {
    // Some hosts open again without closing first.
    close();
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    AEffGUIEditor::open(parentWindow);
    CRect size(0, 0, backgroundBitmap->getWidth(), backgroundBitmap->getHeight());
    size.normalize();
    auto* newFrame = new CFrame(size, this);
    if (!newFrame->open(parentWindow)) {
        newFrame->forget();
        AEffEditor::close();
        return false;
    }
    newFrame->setBackgroundColor(kWindowBackground);
    newFrame->setBackground(backgroundBitmap.get());
    editorSize = size;
    pendingParameters.store(0);
    frame = newFrame;
    createViews();
    return true;
}

void RovuduradirEditor::createViews() {
    const double W = editorSize.right;
    const double H = editorSize.bottom;
    const auto addLabel = [&](CTextLabel*& field, const CRect& r, const char* text, CFontDesc* font,
                              const CColor& colour, CHoriTxtAlign align) {
        field = new CTextLabel(r, text, nullptr, 0);
        field->setFont(font);
        field->setFontColor(colour);
        field->setBackColor(kTransparentCColor);
        field->setFrameColor(kTransparentCColor);
        field->setHoriAlign(align);
        frame->addView(field);
    };
    const auto addCorner = [&](VireRude_StaticVectorImage*& field, const CRect& r, int32_t tag,
                               int32_t kind, float fraction) {
        field = new VireRude_StaticVectorImage(r, this, tag, nullptr);
        field->shapeKind = kind;
        field->shapeFraction = fraction;
        frame->addView(field);
    };
    const auto addKnob = [&](CAnimKnob*& field, double left, double top, int32_t image,
                             int32_t images, int32_t tag) {
        auto* bitmap = new CBitmap(image);
        field = new CAnimKnob(imageRect(left, top, *bitmap, images), this, tag, images,
                              bitmap->getHeight() / images, bitmap);
        field->setValue(tag == kMeterTag ? 0.0f : parameters.getParameter(tag));
        frame->addView(field);
        bitmap->forget();
    };
    const auto addSwitch = [&](COnOffButton*& field, double left, double top, int32_t image,
                               int32_t tag) {
        auto* bitmap = new CBitmap(image);
        field = new COnOffButton(imageRect(left, top, *bitmap, 2), this, tag, bitmap, 0);
        field->setDefaultValue(0.0f);
        field->setValue(parameters.getParameter(tag));
        frame->addView(field);
        bitmap->forget();
    };
    const auto addButton = [&](CTextButton*& field, const CRect& r, int32_t tag, const char* title) {
        field = new CTextButton(r, this, tag, title, CTextButton::kKickStyle);
        field->setFont(buttonFont());
        field->setTextColor(kLightGrey);
        field->setTextColorHighlighted(kBlackCColor);
        field->setGradient(nullptr);
        field->setGradientHighlighted(nullptr);
        field->setFrameColor(kTransparentCColor);
        field->setFrameColorHighlighted(kTransparentCColor);
        field->setMin(0.0f);
        field->setMax(1.0f);
        frame->addView(field);
    };

    addCorner(cornerTopLeft, CRect(0, 0, 380, 38), 16, 0, 0.25f);
    addCorner(cornerBottomRight, CRect(W - 400, H - 38, W, H), 17, 4, 0.18f);
    addCorner(cornerBottomLeft, CRect(0, H - 38, 290, H), 18, 3, 0.25f);
    addCorner(cornerTopRight, CRect(W - 400, 0, W, 38), 19, 1, 0.15f);
    addLabel(productLabel, CRect(96, 0, 323, 36), "Marvolenzik", titleFont(), kTitleColour,
             kLeftText);
    addLabel(vendorLabelTop, CRect(7, 1, 100, 21), kVendorAddress, labelFont(), kLightGrey,
             kLeftText);
    addLabel(vendorLabelBottom, CRect(7, 17, 100, 37), kVendorName, labelFont(), kLightGrey,
             kLeftText);
    const double readoutTop = static_cast<int>(H - editorSize.top - 34);
    addLabel(readoutLabel, CRect(10, readoutTop + 5, 250, readoutTop + 25), "---", labelFont(),
             kReadoutGrey, kLeftText);
    std::snprintf(readoutText, sizeof readoutText, "---");
    addKnob(inputGainKnob, 75, 134, kKnobImageA, 131, kInputGain);
    addKnob(outputVolumeKnob, 766, 129, kKnobImageB, 131, kOutputVolume);
    addKnob(attackKnob, 75, 424, kKnobImageA, 131, kAttack);
    addKnob(releaseKnob, 245, 424, kKnobImageA, 131, kRelease);
    addKnob(ratioKnob, 608, 417, kKnobImageB, 131, kRatio);
    addKnob(leftGridKnob, 114, 299, kLeftGridImage, 9, kLeftGrid);
    addKnob(rightGridKnob, 626, 295, kRightGridImage, 9, kRightGrid);
    addKnob(meterLeft, 305, 137, kLeftMeterImage, 131, kMeterTag);
    addKnob(meterRight, 538, 138, kRightMeterImage, 131, kMeterTag);
    addSwitch(autoGainButton, 467, 355, kAutoGainImage, kAutoGainSwitch);
    addSwitch(powerButton, 422, 478, kPowerImage, kPower);
    addKnob(sidechainSwitch, 782, 440, kSidechainImage, 3, kSidechain);
    addButton(loadButton, CRect(365, 10, 415, 30), kLoad, "LOAD");
    addButton(saveButton, CRect(420, 10, 470, 30), kSave, "SAVE");
    addButton(copyButton, CRect(480, 10, 530, 30), kCopy, "COPY");
    addButton(pasteButton, CRect(535, 10, 585, 30), kPaste, "PASTE");
    addLabel(dryWetLabel, CRect(W - 110, 9, W - 10, 29), "dry/wet balance", normalFont(),
             kCaptionGrey, kRightText);
    dryWetKnob = new VireRude_VectorKnob(CRect(W - 146, 7, W - 122, 31), this, kDryWet, nullptr);
    dryWetKnob->setValue(parameters.getParameter(kDryWet));
    frame->addView(dryWetKnob);
}

void RovuduradirEditor::close() {
    if (!frame) return;
    CFrame* closing = frame;
    frame = nullptr;
    // The frame destroys the views; none of these references may be used from here on.
    productLabel = vendorLabelTop = vendorLabelBottom = readoutLabel = dryWetLabel = nullptr;
    cornerTopLeft = cornerBottomRight = cornerBottomLeft = cornerTopRight = nullptr;
    inputGainKnob = outputVolumeKnob = attackKnob = releaseKnob = ratioKnob = nullptr;
    leftGridKnob = rightGridKnob = sidechainSwitch = meterLeft = meterRight = nullptr;
    dryWetKnob = nullptr;
    powerButton = autoGainButton = nullptr;
    loadButton = saveButton = copyButton = pasteButton = nullptr;
    closing->forget();
    AEffEditor::close();
}

CControl* RovuduradirEditor::getParameterControl(int index) const {
    switch (index) {
        case kInputGain:
            return inputGainKnob;
        case kOutputVolume:
            return outputVolumeKnob;
        case kAttack:
            return attackKnob;
        case kRelease:
            return releaseKnob;
        case kRatio:
            return ratioKnob;
        case kLeftGrid:
            return leftGridKnob;
        case kRightGrid:
            return rightGridKnob;
        case kDryWet:
            return dryWetKnob;
        case kPower:
            return powerButton;
        case kAutoGainSwitch:
            return autoGainButton;
        case kSidechain:
            return sidechainSwitch;
        default:
            return nullptr;
    }
}

void RovuduradirEditor::setParameter(VstInt32 index, float) {
    if (index < 0 || index >= kControlCount) return;
    if (!onUserInterfaceThread()) {
        // Release, with the acquire at idle: the window's thread then reads the value
        // stored before this call, also on processors that reorder stores.
        pendingParameters.fetch_or(1u << index, std::memory_order_release);
        return;
    }
    if (frame) followParameter(index);
}

void RovuduradirEditor::followParameter(int index) {
    getParameterControl(index)->setValue(parameters.getParameter(index));
}

void RovuduradirEditor::applyPendingParameters() {
    const uint32_t pending = pendingParameters.exchange(0, std::memory_order_acquire);
    if (!frame) return;
    for (int index = 0; index < kControlCount; ++index)
        if (pending & (1u << index)) followParameter(index);
}

void RovuduradirEditor::showReadout(const char* text) {
    std::snprintf(readoutText, sizeof readoutText, "%s", text);
    if (!readoutLabel) return;
    readoutLabel->setText(readoutText);
    readoutLabel->invalid();
}

void RovuduradirEditor::showControlMessage(int32_t tag, float value, ReadoutOccasion occasion) {
    char message[sizeof readoutText];
    if (formatReadout(tag, value, occasion, message, sizeof message))
        showReadout(message);
}

void RovuduradirEditor::valueChanged(CControl* control) {
    const int32_t tag = control->getTag();
    const bool autoGainWasOn = parameters.getParameter(kAutoGainSwitch) > 0.5f;
    if (tag >= 0 && tag < kControlCount) {
        const float value = control->getValue();
        if (tag == kInputGain && autoGainWasOn) {
            const float oldIn = parameters.getParameter(kInputGain);
            const float oldOut = parameters.getParameter(kOutputVolume);
            const float delta = value - oldIn;
            autoGain.autoGainRefreshRequested = true;
            // Raising the input lowers the output by as much; lowering it leaves it.
            if (delta > 0.0f)
                parameters.setParameterAutomated(kOutputVolume,
                                                 std::clamp(oldOut - delta, 0.0f, 1.0f));
        }
        parameters.setParameterAutomated(tag, value);
        control->setDirty(true);
        if ((autoGainWasOn && autoGainAnswersChangesOf(tag)) || tag == kAutoGainSwitch)
            autoGain.autoGainRefreshRequested = true;
        showControlMessage(tag, control->getValue(), ReadoutOccasion::changed);
        return;
    }
    // A button released over itself reports 1 and at once 0; the action runs on the 1.
    if (control->getValue() <= 0.5f) return;
    switch (tag) {
        case kLoad:
            loadAction();
            break;
        case kSave:
            saveAction();
            break;
        case kCopy:
            copyAction();
            break;
        case kPaste:
            pasteAction();
            break;
        default:
            break;
    }
}

void RovuduradirEditor::requestAutoGainIfOn() {
    if (parameters.getParameter(kAutoGainSwitch) > 0.5f) autoGain.autoGainRefreshRequested = true;
}

RovuduradirEditor::DialogOutcome RovuduradirEditor::choosePresetFile(bool save) {
    const CNewFileSelector::Style style =
        save ? CNewFileSelector::kSelectSaveFile : CNewFileSelector::kSelectFile;
    auto selector = SharedPointer<CNewFileSelector>::adopt(CNewFileSelector::create(frame, style));
    if (!selector) return DialogOutcome::unavailable;
    const CFileExtension presetFiles{"Marvolenzik", "mvz"};
    selector->addFileExtension(presetFiles);
    selector->setDefaultExtension(presetFiles);
    selector->setTitle(save ? "Choose A Preset File To Save" : "Choose A Preset File To Load");
    selector->setInitialPath(std::string(presets->presetPath()));
    if (!selector->runModal() || !selector->getSelectedFile(0)) return DialogOutcome::cancelled;
    chosenPresetPath = selector->getSelectedFile(0);
    return DialogOutcome::chosen;
}

void RovuduradirEditor::loadAction() {
    const DialogOutcome outcome = choosePresetFile(false);
    if (outcome == DialogOutcome::unavailable) return;
    if (outcome == DialogOutcome::chosen) loadPresetFile();
    requestAutoGainIfOn();
}

void RovuduradirEditor::saveAction() {
    if (choosePresetFile(true) == DialogOutcome::chosen) savePresetFile();
}

void RovuduradirEditor::copyAction() {
    copyPresetToClipboard();
    showReadout("Preset to Clipboard");
}

void RovuduradirEditor::pasteAction() {
    showReadout(pastePresetFromClipboard() ? "Preset From Clipboard" : "Failed From Clipboard");
    requestAutoGainIfOn();
}

void RovuduradirEditor::loadPresetFile() { presets->loadPresetFile(chosenPresetPath, parameters); }

void RovuduradirEditor::savePresetFile() {
    copyPresetToClipboard();
    presets->savePresetFile(chosenPresetPath);
}

void RovuduradirEditor::copyPresetToClipboard() {
    std::string block(kPresetTextBytes, '\0');
    const std::size_t length =
        presets->buildPresetText(parameters, std::span<char, kPresetTextBytes>(block.data(), kPresetTextBytes));
    block.resize(length);
    if (frame && frame->getPlatformFrame()) frame->getPlatformFrame()->setClipboardText(block);
}

bool RovuduradirEditor::pastePresetFromClipboard() {
    std::string text;
    if (!frame || !frame->getPlatformFrame() || !frame->getPlatformFrame()->getClipboardText(text))
        return false;
    return presets->pastePresetText(text, parameters);
}

void RovuduradirEditor::idle() {
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    applyPendingParameters();
    AEffGUIEditor::idle();
    if (!frame) return;
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

void RovuduradirEditor::hoverReadout() {
    CPoint where;
    if (!frame->getCurrentMouseLocation(where)) return;
    CView* view = frame->getViewAt(where);
    for (int index = 0; index < kControlCount; ++index) {
        CControl* control = getParameterControl(index);
        if (view && view == control)
            showControlMessage(index, control->getValue(), ReadoutOccasion::hovered);
    }
}

void RovuduradirEditor::meterTick() {
    meterLeft->setValue(1.0f - parameters.getGainReductionLeft());
    meterLeft->setDirty(true);
    meterRight->setValue(1.0f - parameters.getGainReductionRight());
    meterRight->setDirty(true);
    autoGain.tick(parameters);
}
