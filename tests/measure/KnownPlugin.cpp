// Stereo VST 2.4 plug-ins whose every measurement is known in closed form, chosen by MODE
// at build time, to hold `measure` to exact numbers:
// - COMPRESSOR: the level is the RMS of the left input over the last 48 samples (one
//   period of 1 kHz at 48 kHz, so exact for it) in dBFS of a sine; above -20 dBFS the gain
//   comes down at 4:1; the gain reduction follows in dB with time constants of 10 ms up
//   and 100 ms down;
// - SQUARE_LAW: out = in + 0.1 in^2, whose second harmonic is 0.05 A against a sine of
//   amplitude A, and nothing else;
// - CRASHES: a passthrough that dereferences null after two seconds of audio;
// - TURNS_NAN: a passthrough whose output turns NaN after two seconds.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/VstInterface.h"

#define MODE_COMPRESSOR 1
#define MODE_SQUARE_LAW 2
#define MODE_CRASHES 3
#define MODE_TURNS_NAN 4

namespace {

constexpr int kWindow = 48;
constexpr double kThresholdDbfs = -20.0, kRatio = 4.0, kAttackSeconds = 0.010, kReleaseSeconds = 0.100;

struct Known {
    AEffect record{};
    double rate = 44100.0;
    double squares[kWindow] = {};
    double sumOfSquares = 0.0;
    int position = 0;
    double reductionDb = 0.0;
    long frames = 0;
};

Known& self(AEffect* effect) { return *static_cast<Known*>(effect->object); }

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float opt) {
    switch (opcode) {
        case effClose:
            delete &self(effect);
            return 1;
        case effSetSampleRate:
            self(effect).rate = opt;
            return 0;
        case effGetEffectName:
            std::strcpy(static_cast<char*>(ptr), "Known");
            return 1;
        case effGetVstVersion:
            return kVstVersion;
        default:
            return 0;
    }
}

// The compressor's gain for this sample, from the left input.
double compressorGain(Known& k, float left) {
    const double square = static_cast<double>(left) * left;
    k.sumOfSquares += square - k.squares[k.position];
    k.squares[k.position] = square;
    k.position = (k.position + 1) % kWindow;
    const double meanSquare = std::max(k.sumOfSquares / kWindow, 1e-20);
    const double levelDbfs = 10.0 * std::log10(2.0 * meanSquare);
    const double target = levelDbfs > kThresholdDbfs ? (levelDbfs - kThresholdDbfs) * (1.0 - 1.0 / kRatio) : 0.0;
    const double seconds = target > k.reductionDb ? kAttackSeconds : kReleaseSeconds;
    k.reductionDb = target + (k.reductionDb - target) * std::exp(-1.0 / (seconds * k.rate));
    return std::pow(10.0, -k.reductionDb / 20.0);
}

void setParameter(AEffect*, VstInt32, float) {}
float getParameter(AEffect*, VstInt32) { return 0.0f; }

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    Known& k = self(effect);
    for (VstInt32 i = 0; i < frames; ++i, ++k.frames) {
        const float left = inputs[0][i], right = inputs[1][i];
        const bool late = k.frames > static_cast<long>(2.0 * k.rate);
        if (MODE == MODE_COMPRESSOR) {
            const double gain = compressorGain(k, left);
            outputs[0][i] = static_cast<float>(gain * left);
            outputs[1][i] = static_cast<float>(gain * right);
        } else if (MODE == MODE_SQUARE_LAW) {
            outputs[0][i] = left + 0.1f * left * left;
            outputs[1][i] = right + 0.1f * right * right;
        } else {
            if (MODE == MODE_CRASHES && late) {
                volatile float* nowhere = nullptr;
                *nowhere = left;
            }
            outputs[0][i] = MODE == MODE_TURNS_NAN && late ? NAN : left;
            outputs[1][i] = right;
        }
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    auto* known = new Known;
    AEffect& record = known->record;
    record.magic = kEffectMagic;
    record.dispatcher = &dispatch;
    record.setParameter = &setParameter;
    record.getParameter = &getParameter;
    record.processReplacing = &processReplacing;
    record.numInputs = 2;
    record.numOutputs = 2;
    record.flags = effFlagsCanReplacing;
    record.ioRatio = 1.0f;
    record.object = known;
    record.uniqueID = fourCharCode('T', 'K', 'N', static_cast<char>('0' + MODE));
    record.version = 1;
    return &record;
}
