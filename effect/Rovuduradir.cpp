#include "effect/Rovuduradir.h"

#include <cstdio>
#include <cstring>

#include "editor/RovuduradirEditor.h"
#include "effect/EffectIdentity.h"
#include "host/AEffEditor.h"
#include "host/EffectFactory.h"
#include "host/HostText.h"

namespace {

constexpr int kDisplayDecimals = 3;
static_assert(kMarvolenzikId == fourCharCode('\0', 'M', 'V', 'Z'));
static_assert(EffectProgram::kNameBytes == kVstMaxProgNameLen);

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new Rovuduradir(audioMaster);
}

Rovuduradir::Rovuduradir(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, parameter::kCount) {
    if (audioMaster) {
        setNumInputs(2);
        setNumOutputs(2);
        canProcessReplacing();
        setUniqueID(kMarvolenzikId);
        setInitialDelay(kLatencySamples);
    }
    loadProgram(0);
    suspend();
    new RovuduradirEditor(this, *this);  // attaches itself; deleted by the base destructor
}

Rovuduradir::~Rovuduradir() = default;

void Rovuduradir::setSampleRate(float rate) {
    // A rate that is not a positive, finite number would stall the resampler; keep the
    // previous one.
    if (core.setSampleRate(rate)) AudioEffectX::setSampleRate(rate);
}

void Rovuduradir::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (!inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    core.publishMeters(
        core.processBlock(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames));
}

void Rovuduradir::setParameter(VstInt32 index, float value) {
    if (!parameter::isIndex(index)) return;
    core.setParameter(index, value);
    if (editor) editor->setParameter(index, value);
}

float Rovuduradir::getParameter(VstInt32 index) { return core.getParameter(index); }

void Rovuduradir::setProgram(VstInt32 program) {
    if (program < 0 || program >= numPrograms) return;
    if (program == curProgram) {
        // The program already holds every value (setParameter stores into both). Copying
        // them back would undo an automated change the audio thread makes meanwhile; the
        // editor is still told them all, as on a change of program.
        if (editor)
            for (int32_t i = 0; i < parameter::kCount; ++i) editor->setParameter(i, getParameter(i));
        return;
    }
    storeParametersInProgram();
    loadProgram(program);
}

void Rovuduradir::loadProgram(VstInt32 program) {
    if (program < 0 || program >= numPrograms) return;
    curProgram = program;
    for (int32_t i = 0; i < parameter::kCount; ++i)
        setParameter(i, core.program().values[i].load(std::memory_order_relaxed));
}

void Rovuduradir::storeParametersInProgram() {
    for (int32_t i = 0; i < parameter::kCount; ++i)
        core.program().values[i].store(getParameter(i), std::memory_order_relaxed);
}

void Rovuduradir::setProgramName(char* name) { core.setProgramName(name); }

void Rovuduradir::getProgramName(char* name) {
    copyHostText(name, kVstMaxProgNameLen, core.program().name);
}

void Rovuduradir::getParameterDisplay(VstInt32 index, char* text) {
    if (!parameter::isIndex(index)) {
        copyHostText(text, kParameterTextCapacity, parameter::kPlaceholderName);
        return;
    }
    const double value = getParameter(index);
    if (!writeFixedNumber(text, kParameterTextCapacity, value, kDisplayDecimals))
        writeScientificNumber(text, kParameterTextCapacity, value, kDisplayDecimals);
}

void Rovuduradir::getParameterName(VstInt32 index, char* text) {
    copyHostText(text, kParameterTextCapacity, parameter::name(index));
}

bool Rovuduradir::string2parameter(VstInt32, char*) { return true; }

bool Rovuduradir::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
    if (index < 0 || index >= numPrograms) return false;
    const char* name = core.program().name;
    if (std::strcmp(name, "Init") == 0) {
        char numbered[kVstMaxProgNameLen];
        std::snprintf(numbered, sizeof numbered, "Init %d", index + 1);
        copyHostText(text, kVstMaxProgNameLen, numbered);
    } else {
        copyHostText(text, kVstMaxProgNameLen, name);
    }
    return true;
}

VstInt32 Rovuduradir::processEvents(VstEvents*) { return 1; }

bool Rovuduradir::getEffectName(char* name) {
    copyHostText(name, kVstMaxEffectNameLen, kEffectName);
    return true;
}

bool Rovuduradir::getVendorString(char* text) {
    copyHostText(text, kVstMaxVendorStrLen, kVendorString);
    return true;
}

bool Rovuduradir::getProductString(char* text) {
    copyHostText(text, kVstMaxProductStrLen, kEffectName);
    return true;
}

VstIntPtr Rovuduradir::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt) {
    if (editor && index == kWheelVendor && value == kWheelMessage)
        return editor->onWheel(opt) ? 1 : 0;
    return 0;
}

VstInt32 Rovuduradir::canDo(char* text) {
    if (!text) return -1;
    return std::strcmp(text, "receiveVstEvents") == 0 ||
                   std::strcmp(text, "receiveVstMidiEvent") == 0
               ? 1
               : -1;
}
