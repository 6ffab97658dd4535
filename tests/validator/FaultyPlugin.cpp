// A small stereo gain, correct in every respect the validator checks, built once as it
// is and once with each of the faults below, so that the tests can show that each fault
// is caught by the check meant for it and that the validator survives the plug-in.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <type_traits>

#include "host/VstInterface.h"

#define FAULT_NONE 0
#define FAULT_WRITES_INPUT 1   // scales its input buffers in place
#define FAULT_ALLOCATES 2      // takes a scratch buffer from the heap in every block
#define FAULT_CRASHES 3        // dereferences null on effSetPanLaw
#define FAULT_HANGS 4          // never returns from effSetPanLaw
#define FAULT_NAN_FOREVER 5    // a NaN input sample stays in its state for ever
#define FAULT_RACES 6          // its gain, shared by two threads, is a plain float

#ifndef FAULT
#error "FAULT must name one of the faults"
#endif

namespace {

// What the parameter thread writes and the audio thread reads.
using SharedGain = std::conditional_t<FAULT == FAULT_RACES, float, std::atomic<float>>;

struct Gain {
    AEffect record{};
    SharedGain gain{0.5f};
    float memory = 0.0f;  // a one-pole average, only read back by the NaN fault
};

Gain& self(AEffect* effect) { return *static_cast<Gain*>(effect->object); }

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effClose:
            delete &self(effect);
            return 1;
        case effGetParamName:
            std::strcpy(text, "Gain");
            return 0;
        case effGetEffectName:
            std::strcpy(text, "Faulty gain");
            return 1;
        case effGetVstVersion:
            return kVstVersion;
        case effSetPanLaw:
            if (FAULT == FAULT_CRASHES) {
                volatile int* nowhere = nullptr;
                *nowhere = 1;
            }
            while (FAULT == FAULT_HANGS) std::this_thread::sleep_for(std::chrono::seconds(1));
            return 0;
        default:
            return 0;
    }
}

void setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) self(effect).gain = value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
}

float getParameter(AEffect* effect, VstInt32 index) {
    return index == 0 ? static_cast<float>(self(effect).gain) : 0.0f;
}

float flushed(float sample) { return std::fabs(sample) < 1e-30f ? 0.0f : sample; }

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    Gain& gain = self(effect);
    if (FAULT == FAULT_ALLOCATES) {
        void* volatile scratch = std::malloc(sizeof(float) * (frames > 0 ? frames : 1));
        std::free(scratch);
    }
    for (int c = 0; c < 2; ++c) {
        for (VstInt32 i = 0; i < frames; ++i) {
            const float in = inputs[c][i];
            gain.memory = flushed(0.5f * gain.memory + 0.5f * in);
            if (!std::isfinite(gain.memory) && FAULT != FAULT_NAN_FOREVER) gain.memory = 0.0f;
            const float out = flushed(in * static_cast<float>(gain.gain)) + (FAULT == FAULT_NAN_FOREVER ? 0.0f * gain.memory : 0.0f);
            if (FAULT == FAULT_WRITES_INPUT) inputs[c][i] = 0.5f * in;
            outputs[c][i] = out;
        }
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    auto* gain = new Gain;
    AEffect& record = gain->record;
    record.magic = kEffectMagic;
    record.dispatcher = &dispatch;
    record.setParameter = &setParameter;
    record.getParameter = &getParameter;
    record.processReplacing = &processReplacing;
    record.numParams = 1;
    record.numInputs = 2;
    record.numOutputs = 2;
    record.flags = effFlagsCanReplacing;
    record.ioRatio = 1.0f;
    record.object = gain;
    record.uniqueID = fourCharCode('T', 'F', 'G', 'N');
    record.version = 1;
    return &record;
}
