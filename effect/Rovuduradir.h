// The effect: identity, parameters and program, the signal path with its tables (inline,
// so one allocation holds everything an instance processes with), and the meter values
// the editor shows.
#pragma once

#include <atomic>
#include <memory>

#include "dsp/SignalPath.h"
#include "editor/EditorEffect.h"
#include "effect/EffectIdentity.h"
#include "effect/EffectProgram.h"
#include "effect/ParameterTable.h"
#include "host/AudioEffectX.h"

class Rovuduradir : public AudioEffectX, public EditorEffect {
public:
    explicit Rovuduradir(audioMasterCallback audioMaster);
    ~Rovuduradir() override;

    void setSampleRate(float rate) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setParameterAutomated(VstInt32 index, float value) override {
        AudioEffectX::setParameterAutomated(index, value);
    }
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool string2parameter(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    VstInt32 getNumMidiInputChannels() override { return 1; }
    VstInt32 processEvents(VstEvents* events) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
    VstInt32 canDo(char* text) override;

    virtual void loadProgram(VstInt32 program);
    virtual void storeParametersInProgram();
    float getGainReductionLeft() override { return meterGrLeft.load(std::memory_order_relaxed); }
    float getGainReductionRight() override { return meterGrRight.load(std::memory_order_relaxed); }
    float getInputLevel() override { return meterInput.load(std::memory_order_relaxed); }
    float getOutputLevel() override { return meterOutput.load(std::memory_order_relaxed); }

private:
    EffectProgram& currentProgram() { return programStore[curProgram]; }

    std::unique_ptr<EffectProgram[]> programStore;
    std::atomic<float> parameterValues[kParameterCount];
    std::atomic<float> meterGrLeft{0.0f};
    std::atomic<float> meterGrRight{0.0f};
    std::atomic<float> meterInput{0.0f};
    std::atomic<float> meterOutput{0.0f};
    dsp::SignalPath signalPath;
};
