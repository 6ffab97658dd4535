// The effect as a VST 2.4 plug-in: the effect base classes answer the host, the core
// holds the parameters, the program, the signal path and the meters, and the editor
// reaches all of it through the editor's narrow interface.
#pragma once

#include "editor/EditorEffect.h"
#include "effect/EffectCore.h"
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
    bool beginEdit(VstInt32 index) override { return AudioEffectX::beginEdit(index); }
    bool endEdit(VstInt32 index) override { return AudioEffectX::endEdit(index); }
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
    float getGainReductionLeft() override { return core.publishedMeters().gainReductionLeft; }
    float getGainReductionRight() override { return core.publishedMeters().gainReductionRight; }
    float getInputLevel() override { return core.publishedMeters().inputLevel; }
    float getOutputLevel() override { return core.publishedMeters().outputLevel; }

private:
    EffectCore core;
};
