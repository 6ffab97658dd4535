#include "effect/Rovuduradir.h"

#include <cstdio>
#include <cstring>

#include "dsp/Float4.h"
#include "editor/RovuduradirEditor.h"
#include "host/AEffEditor.h"
#include "host/EffectFactory.h"
#include "host/HostText.h"

namespace {

constexpr VstInt32 kWheelVendor = fourCharCode('s', 't', 'C', 'A');
constexpr VstInt32 kWheelMessage = fourCharCode('W', 'h', 'e', 'e');
constexpr int kDisplayDecimals = 3;

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new Rovuduradir(audioMaster);
}

Rovuduradir::Rovuduradir(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kParameterCount),
      programStore(std::make_unique<EffectProgram[]>(1)) {
    EffectProgram& defaults = programStore[0];
    for (int i = 0; i < kParameterCount; ++i) defaults.values[i].store(parameterDefault(i));
    copyHostText(defaults.name, sizeof defaults.name, "Default");

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
    if (signalPath.setSampleRate(rate)) AudioEffectX::setSampleRate(rate);
}

void Rovuduradir::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (!inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    // The signal path's formulas hold for normalised values only: above 1 the attack, release
    // and drive smoothing turn into growing recursions, below 0 the attack's fourth root is
    // undefined, and NaN reaches every sample. A parameter keeps whatever a host sent; the
    // sound uses the nearest value in 0..1 (NaN as 0), which leaves 0..1 itself untouched.
    dsp::ParameterSnapshot parameters;
    for (int i = 0; i < dsp::ParameterSnapshot::kCount; ++i)
        parameters.values[i] = dsp::clamp01(parameterValues[i].load(std::memory_order_relaxed));
    const dsp::BlockMeters meters = signalPath.processBlock(
        inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, parameters);
    meterGrLeft.store(meters.gainReductionLeft, std::memory_order_relaxed);
    meterGrRight.store(meters.gainReductionRight, std::memory_order_relaxed);
    meterInput.store(meters.inputLevel, std::memory_order_relaxed);
    meterOutput.store(meters.outputLevel, std::memory_order_relaxed);
}

void Rovuduradir::setParameter(VstInt32 index, float value) {
    if (!isParameterIndex(index)) return;
    currentProgram().values[index].store(value, std::memory_order_relaxed);
    parameterValues[index].store(value, std::memory_order_relaxed);
    if (editor) editor->setParameter(index, value);
}

float Rovuduradir::getParameter(VstInt32 index) {
    return isParameterIndex(index) ? parameterValues[index].load(std::memory_order_relaxed)
                                   : 0.0f;
}

void Rovuduradir::setProgram(VstInt32 program) {
    if (program < 0 || program >= numPrograms) return;
    if (program == curProgram) {
        // The program already holds every value (setParameter stores into both). Copying
        // them back would undo an automated change the audio thread makes meanwhile; the
        // editor is still told them all, as on a change of program.
        if (editor)
            for (int i = 0; i < kParameterCount; ++i) editor->setParameter(i, getParameter(i));
        return;
    }
    storeParametersInProgram();
    loadProgram(program);
}

void Rovuduradir::loadProgram(VstInt32 program) {
    if (program < 0 || program >= numPrograms) return;
    curProgram = program;
    for (int i = 0; i < kParameterCount; ++i)
        setParameter(i, programStore[program].values[i].load(std::memory_order_relaxed));
}

void Rovuduradir::storeParametersInProgram() {
    for (int i = 0; i < kParameterCount; ++i)
        currentProgram().values[i].store(parameterValues[i].load(std::memory_order_relaxed),
                                         std::memory_order_relaxed);
}

void Rovuduradir::setProgramName(char* name) {
    copyHostText(currentProgram().name, sizeof currentProgram().name, name);
}

void Rovuduradir::getProgramName(char* name) {
    copyHostText(name, kVstMaxProgNameLen, currentProgram().name);
}

void Rovuduradir::getParameterDisplay(VstInt32 index, char* text) {
    if (!isParameterIndex(index)) {
        copyHostText(text, kParameterTextCapacity, kPlaceholderParameterName);
        return;
    }
    const double value = parameterValues[index].load(std::memory_order_relaxed);
    if (!writeFixedNumber(text, kParameterTextCapacity, value, kDisplayDecimals))
        writeScientificNumber(text, kParameterTextCapacity, value, kDisplayDecimals);
}

void Rovuduradir::getParameterName(VstInt32 index, char* text) {
    copyHostText(text, kParameterTextCapacity, parameterName(index));
}

bool Rovuduradir::string2parameter(VstInt32, char*) { return true; }

bool Rovuduradir::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
    if (index < 0 || index >= numPrograms) return false;
    const char* name = programStore[index].name;
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
