#include "host/AudioEffect.h"

#include <cstring>

#include "host/AEffEditor.h"
#include "host/BoundaryGuard.h"

namespace {

AudioEffect* effectOf(AEffect* record) {
    return record ? static_cast<AudioEffect*>(record->object) : nullptr;
}

VstIntPtr dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                        void* ptr, float opt) {
    AudioEffect* effect = effectOf(record);
    if (!effect) return 0;
    const VstIntPtr result = guardBoundary(VstIntPtr{0}, [&] {
        return effect->dispatcher(opcode, index, value, ptr, opt);
    });
    if (opcode == effClose) {
        guardBoundary(0, [&] {
            delete effect;
            return 0;
        });
        return 1;
    }
    return result;
}

void processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(record))
        guardBoundary(0, [&] {
            effect->process(inputs, outputs, sampleFrames);
            return 0;
        });
}

void processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                           VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(record))
        guardBoundary(0, [&] {
            effect->processReplacing(inputs, outputs, sampleFrames);
            return 0;
        });
}

void processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs,
                                 VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(record))
        guardBoundary(0, [&] {
            effect->processDoubleReplacing(inputs, outputs, sampleFrames);
            return 0;
        });
}

void setParameterEntry(AEffect* record, VstInt32 index, float value) {
    if (AudioEffect* effect = effectOf(record))
        guardBoundary(0, [&] {
            effect->setParameter(index, value);
            return 0;
        });
}

float getParameterEntry(AEffect* record, VstInt32 index) {
    AudioEffect* effect = effectOf(record);
    if (!effect) return 0.0f;
    return guardBoundary(0.0f, [&] { return effect->getParameter(index); });
}

// Opcodes whose ptr is a text buffer the effect writes into.
bool writesText(VstInt32 opcode) {
    switch (opcode) {
        case effGetProgramName:
        case effGetParamLabel:
        case effGetParamDisplay:
        case effGetParamName:
            return true;
        default:
            return false;
    }
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    std::memset(&cEffect, 0, sizeof cEffect);
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
    canProcessReplacing(true);
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::canProcessReplacing(bool state) {
    if (state)
        cEffect.flags |= effFlagsCanReplacing;
    else
        cEffect.flags &= ~effFlagsCanReplacing;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    if (editor)
        cEffect.flags |= effFlagsHasEditor;
    else
        cEffect.flags &= ~effFlagsHasEditor;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    if (writesText(opcode) && !ptr) return 0;
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            if (ptr) setProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetProgramName:
            getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<VstInt32>(value));
            return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effEditGetRect:
            if (editor && ptr) return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
            return 0;
        case effEditOpen:
            if (editor) return editor->open(ptr) ? 1 : 0;
            return 0;
        case effEditClose:
            if (editor) editor->close();
            return 0;
        case effEditIdle:
            if (editor) editor->idle();
            return 0;
        case effIdentify:
            return fourCharCode('N', 'v', 'E', 'f');
        case effGetChunk:
            return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
        case effSetChunk:
            return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
        default:
            return 0;
    }
}
