// Every opcode's answer, and the requests the effect sends back to the host.
#include <cmath>
#include <cstring>
#include <string>

#include "LoadedPlugin.h"

namespace {

struct OpcodeAnswer {
    VstInt32 opcode;
    VstIntPtr expected;
};

// Opcodes answered without side effects worth checking elsewhere. Each gets a large
// zeroed buffer in ptr, so that an opcode which writes into ptr writes somewhere valid.
constexpr OpcodeAnswer kOpcodeAnswers[] = {
    {effOpen, 0},
    {effGetProgram, 0},
    {effGetProgramName, 0},
    {effGetParamLabel, 0},
    {effGetParamDisplay, 0},
    {effGetParamName, 0},
    {effGetVu, 0},
    {effSetBlockSize, 0},
    {effEditClose, 0},
    {effEditDraw, 0},
    {effEditMouse, 0},
    {effEditKey, 0},
    {effEditIdle, 0},
    {effEditTop, 0},
    {effEditSleep, 0},
    {effIdentify, 0x4E764566},
    {effGetChunk, 0},
    {effSetChunk, 0},
    {effProcessEvents, 1},
    {effCanBeAutomated, 1},
    {effString2Parameter, 1},
    {effGetNumProgramCategories, 0},
    {effGetProgramNameIndexed, 1},
    {effCopyProgram, 0},
    {effConnectInput, 0},
    {effConnectOutput, 0},
    {effGetInputProperties, 0},
    {effGetOutputProperties, 0},
    {effGetPlugCategory, 0},
    {effGetCurrentPosition, 0},
    {effGetDestinationBuffer, 0},
    {effOfflineNotify, 0},
    {effOfflinePrepare, 0},
    {effOfflineRun, 0},
    {effProcessVarIo, 0},
    {effSetSpeakerArrangement, 0},
    {effSetBlockSizeAndSampleRate, 0},
    {effSetBypass, 0},
    {effGetEffectName, 1},
    {effGetErrorText, 0},
    {effGetVendorString, 1},
    {effGetProductString, 1},
    {effGetVendorVersion, 0},
    {effVendorSpecific, 0},
    {effGetTailSize, 0},
    {effIdle, 0},
    {effGetIcon, 0},
    {effSetViewPosition, 0},
    {effGetParameterProperties, 0},
    {effKeysRequired, 0},
    {effGetVstVersion, 2400},
    {effGetMidiProgramName, 0},
    {effGetCurrentMidiProgram, -1},
    {effGetMidiProgramCategory, 0},
    {effHasMidiProgramsChanged, 0},
    {effGetMidiKeyName, 0},
    {effBeginSetProgram, 0},
    {effEndSetProgram, 0},
    {effShellGetNextPlugin, 0},
    {effStartProcess, 0},
    {effStopProcess, 0},
    {effSetPanLaw, 0},
    {effBeginLoadBank, 0},
    {effBeginLoadProgram, 0},
    {effSetProcessPrecision, 0},
    {effGetNumMidiInputChannels, 1},
    {effGetNumMidiOutputChannels, 0},
    {80, 0},
    {-1, 0},
    {1000, 0},
};

TEST_F(PluginTest, EveryOpcodeGetsItsAnswer) {
    for (const OpcodeAnswer& entry : kOpcodeAnswers) {
        alignas(16) char buffer[1024] = {};
        EXPECT_EQ(plugin->dispatch(entry.opcode, 0, 0, buffer), entry.expected)
            << "opcode " << entry.opcode;
    }
    EXPECT_EQ(host.requests().size(), 0u) << "none of these opcodes asks the host anything";
}

TEST_F(PluginTest, EditorRectangleIsAvailableBeforeOpening) {
    ERect* rect = nullptr;
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 700);
    EXPECT_EQ(rect->right, 1000);
}

TEST_F(PluginTest, SetProgramAcceptsOnlyTheOneProgram) {
    plugin->setParameter(4, 0.25f);
    for (VstIntPtr invalid : {1, 5, -1}) {
        EXPECT_EQ(plugin->dispatch(effSetProgram, 0, invalid), 0);
        EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
        EXPECT_EQ(plugin->getParameter(4), 0.25f);
    }
    EXPECT_EQ(plugin->dispatch(effSetProgram, 0, 0), 0);
    EXPECT_EQ(plugin->getParameter(4), 0.25f) << "reloading the program keeps the values";
    EXPECT_EQ(plugin->getParameter(0), 0.0f);
}

TEST_F(PluginTest, CanDoAnswersOnlyTheTwoEventCapabilities) {
    EXPECT_EQ(plugin->canDo("receiveVstEvents"), 1);
    EXPECT_EQ(plugin->canDo("receiveVstMidiEvent"), 1);
    for (const char* other :
         {"sendVstEvents", "receiveVstTimeInfo", "bypass", "ReceiveVstEvents", "", "receiveVstEvents "})
        EXPECT_EQ(plugin->canDo(other), -1) << '"' << other << '"';
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST_F(PluginTest, ResumeAsksForMidiEveryTimeAndSuspendAsksNothing) {
    plugin->dispatch(effMainsChanged, 0, 1);
    plugin->dispatch(effMainsChanged, 0, 0);
    plugin->dispatch(effMainsChanged, 0, 2);  // any non-zero value resumes
    const auto requests = host.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.opcode, audioMasterWantMidi);
        EXPECT_EQ(request.value, 1);
        EXPECT_EQ(request.effect, plugin->effect());
    }
}

TEST_F(PluginTest, WheelMessageNeedsTheExactVendorPair) {
    const VstInt32 vendor = fourCharCode('s', 't', 'C', 'A');
    const VstInt32 wheel = fourCharCode('W', 'h', 'e', 'e');
    // The editor has no window, so its wheel handler declines: 0 in every case.
    EXPECT_EQ(plugin->dispatch(effVendorSpecific, vendor, wheel, nullptr, 1.0f), 0);
    EXPECT_EQ(plugin->dispatch(effVendorSpecific, vendor, wheel + 1, nullptr, 1.0f), 0);
    EXPECT_EQ(plugin->dispatch(effVendorSpecific, 0, wheel, nullptr, 1.0f), 0);
}

TEST_F(PluginTest, SpeakerArrangementQueryClearsBothPointers) {
    int dummy = 0;
    void* inputArrangement = &dummy;
    void* outputArrangement = &dummy;
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0,
                               reinterpret_cast<VstIntPtr>(&inputArrangement), &outputArrangement),
              0);
    EXPECT_EQ(inputArrangement, nullptr);
    EXPECT_EQ(outputArrangement, nullptr);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST_F(PluginTest, TotalSamplesToProcessIsEchoed) {
    EXPECT_EQ(plugin->dispatch(effSetTotalSampleToProcess, 0, 12345), 12345);
}

TEST_F(PluginTest, CanBeAutomatedForAnyIndex) {
    for (VstInt32 index : {0, 23, 500, -1}) EXPECT_EQ(plugin->dispatch(effCanBeAutomated, index), 1);
}

TEST_F(PluginTest, StringToParameterReportsSuccessAndChangesNothing) {
    char text[] = "0.9";
    EXPECT_EQ(plugin->dispatch(effString2Parameter, 4, 0, text), 1);
    EXPECT_EQ(plugin->getParameter(4), 0.8f);
}

TEST_F(PluginTest, NamesAndVendor) {
    EXPECT_EQ(plugin->text(effGetEffectName), "Marvolenzik");
    EXPECT_EQ(plugin->text(effGetProductString), "Marvolenzik");
    EXPECT_FALSE(plugin->text(effGetVendorString).empty());
}

TEST_F(PluginTest, MidiEventsChangeNothingInTheSound) {
    vsthost::PluginInstance reference(host, marvolenzikLibrary());
    VstEvent noteOn{kVstMidiType, sizeof(VstEvent), 0, 0, {char(0x90), 60, 100}};
    VstEvents events{1, 0, {&noteOn, nullptr}};
    EXPECT_EQ(plugin->dispatch(effProcessEvents, 0, 0, &events), 1);

    std::vector<float> left(256), right(256);
    for (int i = 0; i < 256; ++i) left[i] = right[i] = 0.5f * std::sin(0.05f * i);
    std::vector<float> outA(256), outB(256), refA(256), refB(256);
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outA.data(), outB.data()};
    float* refOutputs[] = {refA.data(), refB.data()};
    plugin->processReplacing(inputs, outputs, 256);
    reference.processReplacing(inputs, refOutputs, 256);
    EXPECT_EQ(outA, refA);
    EXPECT_EQ(outB, refB);
}

}  // namespace
