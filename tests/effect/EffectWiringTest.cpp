// The effect object linked directly: its conversations with an attached editor and with
// the host through the base wrappers, which a host cannot observe from outside.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "effect/Rovuduradir.h"
#include "host/AEffEditor.h"

namespace {

struct Request {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    std::string text;
    float opt;
};

std::vector<Request> sentRequests;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                        float opt) {
    const bool carriesText = opcode == audioMasterCanDo && ptr;
    sentRequests.push_back({opcode, index, value, carriesText ? static_cast<char*>(ptr) : "", opt});
    return opcode == audioMasterVersion ? kVstVersion : 1;
}

class SpyEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    bool onWheel(float distance) override {
        wheelDistances.push_back(distance);
        return wheelAnswer;
    }
    bool onKeyDown(VstKeyCode& key) override {
        keys.push_back(key);
        return true;
    }
    bool setKnobMode(VstInt32 mode) override {
        knobMode = mode;
        return true;
    }
    void setParameter(VstInt32 index, float value) override {
        notifiedIndices.push_back(index);
        notifiedValues.push_back(value);
    }

    bool wheelAnswer = true;
    std::vector<float> wheelDistances;
    std::vector<VstKeyCode> keys;
    VstInt32 knobMode = -1;
    std::vector<VstInt32> notifiedIndices;
    std::vector<float> notifiedValues;
};

class EffectWiring : public ::testing::Test {
protected:
    void SetUp() override {
        sentRequests.clear();
        effect = std::make_unique<Rovuduradir>(&recordingHost);
        AEffEditor* original = effect->getEditor();
        spy = new SpyEditor(effect.get());  // attaches itself; the effect deletes it
        delete original;
        sentRequests.clear();
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return effect->dispatcher(opcode, index, value, ptr, opt);
    }

    std::unique_ptr<Rovuduradir> effect;
    SpyEditor* spy = nullptr;
};

TEST_F(EffectWiring, WheelReachesTheEditorOnlyWithTheVendorPair) {
    const VstInt32 vendor = fourCharCode('s', 't', 'C', 'A');
    const VstInt32 wheel = fourCharCode('W', 'h', 'e', 'e');
    EXPECT_EQ(dispatch(effVendorSpecific, vendor, wheel, nullptr, -2.0f), 1);
    spy->wheelAnswer = false;
    EXPECT_EQ(dispatch(effVendorSpecific, vendor, wheel, nullptr, 1.0f), 0);
    EXPECT_EQ(dispatch(effVendorSpecific, vendor, 0, nullptr, 1.0f), 0);
    EXPECT_EQ(dispatch(effVendorSpecific, 0, wheel, nullptr, 1.0f), 0);
    EXPECT_EQ(spy->wheelDistances, (std::vector<float>{-2.0f, 1.0f}));
}

TEST_F(EffectWiring, KeysReachTheEditorAsKeyRecords) {
    EXPECT_EQ(dispatch(effEditKeyDown, 'q', 0x10d, nullptr, 0x120 + 0.9f), 1);
    EXPECT_EQ(dispatch(effEditKeyDown, 0, 4, nullptr, std::numeric_limits<float>::quiet_NaN()), 1);
    ASSERT_EQ(spy->keys.size(), 2u);
    EXPECT_EQ(spy->keys[0].character, 'q');
    EXPECT_EQ(spy->keys[0].virt, 0x0d);
    EXPECT_EQ(spy->keys[0].modifier, 0x20);
    EXPECT_EQ(spy->keys[1].modifier, 0) << "a modifier word that is no number means no modifiers";
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(spy->knobMode, 2);
}

TEST_F(EffectWiring, SetProgramResendsAllValuesToTheEditorInOrder) {
    effect->setParameter(5, 0.75f);
    spy->notifiedIndices.clear();
    spy->notifiedValues.clear();
    dispatch(effSetProgram, 0, 0);
    std::vector<VstInt32> expected(24);
    for (int i = 0; i < 24; ++i) expected[i] = i;
    EXPECT_EQ(spy->notifiedIndices, expected);
    EXPECT_EQ(spy->notifiedValues[5], 0.75f);
    EXPECT_EQ(effect->getParameter(5), 0.75f);
    EXPECT_TRUE(sentRequests.empty()) << "a program change automates nothing";
}

TEST_F(EffectWiring, ChoosingTheCurrentProgramDoesNotUndoAutomationFromAnotherThread) {
    delete spy;  // it records from one thread only
    constexpr VstInt32 kPowerParameter = 8;
    std::atomic<bool> done{false};
    std::atomic<long> programChanges{0};
    std::thread userInterface([&] {
        while (!done.load()) {
            dispatch(effSetProgram, 0, 0);
            ++programChanges;
        }
    });
    int lost = 0;
    for (int round = 1; round <= 1000; ++round) {
        const float value = static_cast<float>(round) / 1000.0f;
        const long before = programChanges.load();
        effect->setParameter(kPowerParameter, value);
        // Read back once program changes have run across the store and after it.
        while (programChanges.load() < before + 2) std::this_thread::yield();
        if (effect->getParameter(kPowerParameter) != value) ++lost;
    }
    done = true;
    userInterface.join();
    EXPECT_EQ(lost, 0);
}

TEST_F(EffectWiring, AutomatedChangeStoresInformsAndTellsTheHost) {
    effect->setParameterAutomated(4, 0.4f);
    EXPECT_EQ(effect->getParameter(4), 0.4f);
    EXPECT_EQ(spy->notifiedIndices, (std::vector<VstInt32>{4}));
    ASSERT_EQ(sentRequests.size(), 1u);
    EXPECT_EQ(sentRequests[0].opcode, audioMasterAutomate);
    EXPECT_EQ(sentRequests[0].index, 4);
    EXPECT_EQ(sentRequests[0].opt, 0.4f);
}

TEST_F(EffectWiring, HostWrappersSendTheirRequests) {
    EXPECT_TRUE(effect->beginEdit(7));
    EXPECT_TRUE(effect->endEdit(7));
    effect->masterIdle();
    char sizeWindow[] = "sizeWindow";
    EXPECT_EQ(effect->canHostDo(sizeWindow), 1);
    EXPECT_TRUE(effect->sizeWindow(1000, 700));
    ASSERT_EQ(sentRequests.size(), 5u);
    EXPECT_EQ(sentRequests[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(sentRequests[0].index, 7);
    EXPECT_EQ(sentRequests[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(sentRequests[2].opcode, audioMasterIdle);
    EXPECT_EQ(sentRequests[3].opcode, audioMasterCanDo);
    EXPECT_EQ(sentRequests[3].text, "sizeWindow");
    EXPECT_EQ(sentRequests[4].opcode, audioMasterSizeWindow);
    EXPECT_EQ(sentRequests[4].index, 1000);
    EXPECT_EQ(sentRequests[4].value, 700);
}

TEST_F(EffectWiring, UnusableRatesKeepThePreviousRate) {
    dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    for (float rate : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), 1e-30f})
        dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    EXPECT_EQ(effect->getSampleRate(), 96000.0f);
}

TEST_F(EffectWiring, DetachedEditorClearsTheEditorFlag) {
    EXPECT_EQ(effect->getAeffect()->flags, 17);
    effect->setEditor(nullptr);
    EXPECT_EQ(effect->getAeffect()->flags, 16);
    delete spy;
}

TEST(EffectWithoutHost, StoresAndInformsButSendsNothing) {
    sentRequests.clear();
    auto effect = std::make_unique<Rovuduradir>(nullptr);  // megabytes: never on the stack
    AEffEditor* original = effect->getEditor();
    auto* spy = new SpyEditor(effect.get());
    delete original;
    effect->setParameterAutomated(2, 0.9f);
    EXPECT_EQ(effect->getParameter(2), 0.9f);
    EXPECT_EQ(spy->notifiedIndices, (std::vector<VstInt32>{2}));
    EXPECT_FALSE(effect->beginEdit(2));
    EXPECT_FALSE(effect->sizeWindow(10, 10));
    EXPECT_EQ(effect->canHostDo(nullptr), 0);
    effect->resume();
    EXPECT_TRUE(sentRequests.empty());
    // Without a host the configuration step is skipped: the base's record stands.
    EXPECT_EQ(effect->getAeffect()->numInputs, 1);
    EXPECT_EQ(effect->getAeffect()->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
}

}  // namespace
