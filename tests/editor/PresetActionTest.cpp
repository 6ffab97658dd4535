// LOAD, SAVE, COPY and PASTE through the editor: real files in a temporary folder, the
// dialog a stand-in program on PATH (as zenity prints a choice or exits 1 for a cancel),
// and the off-screen window's clipboard.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "presets/PresetState.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace VSTGUI;
using editortest::EditorTest;
using editortest::hostRequests;

namespace {

constexpr int kLoad = 20, kSave = 21, kCopy = 22, kPaste = 23;

class PresetActionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const char* path = std::getenv("PATH");
        previousPath = path ? path : "";
        std::filesystem::create_directory(folder.file("bin"));
        setenv("PATH", folder.file("bin").c_str(), 1);
        openWindow();
    }
    void TearDown() override {
        setenv("PATH", previousPath.c_str(), 1);
        EditorTest::TearDown();
    }

    // A zenity that records its arguments and answers with `answer`, or cancels.
    void dialogAnswers(const std::string& answer) {
        const std::string program = folder.file("bin/zenity");
        writeText(program, "#!/bin/sh\n"
                           "if [ \"$1\" = --version ]; then echo 3.44.0; exit 0; fi\n"
                           "printf '%s\\n' \"$@\" > '" + folder.file("arguments") + "'\n" +
                           (answer.empty() ? "exit 1\n" : "echo '" + answer + "'\n"));
        chmod(program.c_str(), 0755);
    }

    void press(int32_t tag) { editortest::pressButton(*editor, tag); }

    std::string clipboard() {
        std::string text;
        screen().getClipboardText(text);
        return text;
    }

    TemporaryFolder folder;
    std::string previousPath;
};

TEST_F(PresetActionTest, SaveCompletesTheNameAsTheRuleSays) {
    std::filesystem::create_directory(folder.file("banks.dez"));
    const std::pair<std::string, std::string> cases[] = {
        {"preset", "preset.dez"},
        {"preset.mvz", "preset.mvz.dez"},
        {"preset.dez", "preset.dez"},
        {"PRESET.DEZ", "PRESET.DEZ.dez"},
        {"banks.dez/warm", "banks.dez/warm"},
    };
    for (const auto& [typed, written] : cases) {
        dialogAnswers(folder.file(typed));
        press(kSave);
        EXPECT_TRUE(std::filesystem::exists(folder.file(written))) << typed;
    }
    const std::string text = readText(folder.file("preset.dez"));
    EXPECT_EQ(text.rfind("Marvolenzik 010000\nInGain ", 0), 0u);
    EXPECT_EQ(clipboard(), text) << "a save also copies the preset";
    EXPECT_EQ(readout(), "---") << "a save shows no message";
    const std::string arguments = readText(folder.file("arguments"));
    EXPECT_NE(arguments.find("Choose A Preset File To Save"), std::string::npos);
    EXPECT_NE(arguments.find("--save"), std::string::npos);
}

TEST_F(PresetActionTest, LoadOffersOnlyPresetFilesAndAppliesAnyFirstWord) {
    effect->setParameter(9, 0.0f);
    writeText(folder.file("warm.mvz"), "Whatever 010000\nInGain 0.25\nOutGain 0.5\nAtk 0.1\n"
                                       "Rls 0.2\nRatio 0.3\nLGrid 0.4\nRGrid 0.6\nDryWetMix 0.7\n"
                                       "ON 1\nAG 0\nSC 0.9\n");
    dialogAnswers(folder.file("warm.mvz"));
    hostRequests().clear();
    press(kLoad);
    EXPECT_EQ(effect->getParameter(0), 0.25f);
    EXPECT_EQ(effect->getParameter(10), 0.9f);
    EXPECT_EQ(control(4)->getValue(), 0.3f) << "the controls follow";
    std::vector<VstInt32> automated;
    for (const auto& request : hostRequests())
        if (request.opcode == audioMasterAutomate) automated.push_back(request.index);
    EXPECT_EQ(automated, (std::vector<VstInt32>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const std::string arguments = readText(folder.file("arguments"));
    EXPECT_NE(arguments.find("Choose A Preset File To Load"), std::string::npos);
    EXPECT_NE(arguments.find("Marvolenzik | *.mvz"), std::string::npos) << arguments;
    EXPECT_EQ(arguments.find("*.*"), std::string::npos) << "no entry for all files";
}

TEST_F(PresetActionTest, CancelledLoadStillAsksForAutoGain) {
    effect->setParameter(9, 1.0f);
    dialogAnswers("");
    const float gain = effect->getParameter(0);
    press(kLoad);
    EXPECT_EQ(effect->getParameter(0), gain);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested);
}

TEST_F(PresetActionTest, NoDialogProgramMeansNoLoadAtAll) {
    effect->setParameter(9, 1.0f);
    press(kLoad);
    press(kSave);
    EXPECT_FALSE(editor->content().getAutoGain().autoGainRefreshRequested);
    EXPECT_EQ(readout(), "---");
}

TEST_F(PresetActionTest, UnreadableAndInvalidFilesChangeNothing) {
    const float before = effect->getParameter(3);
    dialogAnswers(folder.file("missing.mvz"));
    press(kLoad);
    writeText(folder.file("notes.mvz"), "Marvolenzik 010000\nInGain 0.5\n");  // too few values
    dialogAnswers(folder.file("notes.mvz"));
    press(kLoad);
    dialogAnswers(folder.file("no such folder/preset"));
    press(kSave);
    EXPECT_EQ(effect->getParameter(3), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("no such folder")));
}

TEST_F(PresetActionTest, CopyThenPasteRestoresTheValues) {
    for (int i = 0; i <= 10; ++i) effect->setParameter(i, 0.05f * static_cast<float>(i + 1));
    press(kCopy);
    EXPECT_EQ(readout(), "Preset to Clipboard");
    const std::string copied = clipboard();
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 12);
    for (int i = 0; i <= 10; ++i) effect->setParameter(i, 0.9f);
    press(kPaste);
    EXPECT_EQ(readout(), "Preset From Clipboard");
    for (int i = 0; i <= 10; ++i) EXPECT_NEAR(effect->getParameter(i), 0.05f * (i + 1), 1e-7f);
}

TEST_F(PresetActionTest, OrdinaryTextFailsAndChangesNothing) {
    screen().setClipboardText("Dear forum, my settings are below.");
    const float ratio = effect->getParameter(4);
    effect->setParameter(9, 1.0f);
    press(kPaste);
    EXPECT_EQ(readout(), "Failed From Clipboard");
    EXPECT_EQ(effect->getParameter(4), ratio);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested) << "asked for in either case";
}

}  // namespace
