// A plug-in with a trivial, exactly known behaviour, to hold the host to exact numbers
// whatever Marvolenzik's own signal path does: one input, one output,
// out[n] = level * in[n - 5], reporting initialDelay 5 and a tail of 7 frames, with one
// parameter "Level" (default 0.5).
#include <cstdio>
#include <cstring>

#include "host/VstInterface.h"

namespace {

constexpr int kDelay = 5;
constexpr int kTail = 7;

struct MonoDelay {
    AEffect record{};
    float level = 0.5f;
    float history[kDelay] = {};
    int position = 0;
};

MonoDelay& self(AEffect* effect) { return *static_cast<MonoDelay*>(effect->object); }

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effClose:
            delete &self(effect);
            return 1;
        case effGetParamName:
            std::strcpy(text, index == 0 ? "Level" : "");
            return 0;
        case effGetParamDisplay:
            std::snprintf(text, 8, "%.2f", static_cast<double>(self(effect).level));
            return 0;
        case effGetEffectName:
            std::strcpy(text, "Mono delay");
            return 1;
        case effGetTailSize:
            return kTail;
        case effGetVstVersion:
            return kVstVersion;
        default:
            return 0;
    }
}

void setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) self(effect).level = value;
}

float getParameter(AEffect* effect, VstInt32 index) {
    return index == 0 ? self(effect).level : 0.0f;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    MonoDelay& delay = self(effect);
    for (VstInt32 i = 0; i < frames; ++i) {
        const float input = inputs[0][i];
        outputs[0][i] = delay.level * delay.history[delay.position];
        delay.history[delay.position] = input;
        delay.position = (delay.position + 1) % kDelay;
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    auto* delay = new MonoDelay;
    AEffect& record = delay->record;
    record.magic = kEffectMagic;
    record.dispatcher = &dispatch;
    record.setParameter = &setParameter;
    record.getParameter = &getParameter;
    record.processReplacing = &processReplacing;
    record.numParams = 1;
    record.numInputs = 1;
    record.numOutputs = 1;
    record.flags = effFlagsCanReplacing;
    record.initialDelay = kDelay;
    record.ioRatio = 1.0f;
    record.object = delay;
    record.uniqueID = fourCharCode('T', 'M', 'D', 'L');
    record.version = 1;
    return &record;
}
