// COPY and PASTE through the system clipboard of a private X server, with xclip as the
// other program.
#include "gui/platform/PlatformFrame.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/presets/PrintfPresetText.h"
#include "tests/support/XServerSuite.h"

using namespace VSTGUI;

namespace {

class EditorClipboardTest : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xclip"}); !missing.empty())
            GTEST_SKIP() << missing;
        effect = std::make_unique<editortest::MeteredEffect>();
        editor = dynamic_cast<RovuduradirEditor*>(effect->getEditor());
        ASSERT_TRUE(editor->open(nullptr));
        editor->idle();
    }

    CommandResult xclip(const std::vector<std::string>& arguments, const std::string& input = {}) {
        std::vector<std::string> command{"xclip", "-selection", "clipboard"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runCommand(command, input, 10000, [this] { editor->idle(); });
    }

    void putOnClipboard(const std::string& text) {
        ASSERT_TRUE(xclipOwns(text, [this] { editor->idle(); }));
    }

    void press(int32_t tag) { editortest::pressButton(*editor, tag); }

    std::unique_ptr<editortest::MeteredEffect> effect;
    RovuduradirEditor* editor = nullptr;
};

TEST_F(EditorClipboardTest, CopyReachesAnotherProgramAsTheTwelveLineText) {
    effect->setParameter(4, 0.3f);
    press(22);
    EXPECT_STREQ(editor->content().getReadoutText(), "Preset to Clipboard");
    const CommandResult pasted = xclip({"-o"});
    EXPECT_EQ(pasted.exitCode, 0);
    EXPECT_EQ(pasted.out.rfind("Marvolenzik 010000\nInGain ", 0), 0u) << pasted.out;
    EXPECT_NE(pasted.out.find("Ratio 0.3000000119\n"), std::string::npos);
    EXPECT_EQ(std::count(pasted.out.begin(), pasted.out.end(), '\n'), 12);
}

TEST_F(EditorClipboardTest, PasteOfAPresetFromAnotherProgram) {
    const std::vector<float> values{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f,
                                    0.7f, 0.8f, 0.9f, 0.0f, 1.0f};
    putOnClipboard(printfPresetText(values));
    press(23);
    EXPECT_STREQ(editor->content().getReadoutText(), "Preset From Clipboard");
    for (int i = 0; i <= 10; ++i) EXPECT_FLOAT_EQ(effect->getParameter(i), values[i]);
}

TEST_F(EditorClipboardTest, OrdinaryTextIsRefused) {
    const float ratio = effect->getParameter(4);
    putOnClipboard("just some words");
    press(23);
    EXPECT_STREQ(editor->content().getReadoutText(), "Failed From Clipboard");
    EXPECT_EQ(effect->getParameter(4), ratio);
}

TEST_F(EditorClipboardTest, ProductWordMustStartWithinTheFirstNineteenCharacters) {
    const std::vector<float> values(11, 0.25f);
    putOnClipboard("12345678" + printfPresetText(values));
    press(23);
    EXPECT_STREQ(editor->content().getReadoutText(), "Preset From Clipboard") << "eight before it pass";
    effect->setParameter(0, 0.75f);
    putOnClipboard("123456789" + printfPresetText(values));
    press(23);
    EXPECT_STREQ(editor->content().getReadoutText(), "Failed From Clipboard") << "nine do not";
    EXPECT_EQ(effect->getParameter(0), 0.75f);
}

TEST_F(EditorClipboardTest, HostileTextsChangeNothing) {
    const std::vector<float> values(11, 0.25f);
    const std::string preset = printfPresetText(values);
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 + 7);
    const std::string hostile[] = {
        std::string(200000, '7'),                            // huge, no product word
        "Marvolenzik 010000" + std::string(10000, ' '),      // the word, then only spaces
        "Marvolenzik 010000\n" + std::string(10000, '9'),   // one endless number
        "Marvolenzik" + binary,                              // the word, then binary
        "\xff\xfeMarvolenzik 010000 \xc3\x28 1 2 3",         // invalid UTF-8 near the word
    };
    for (int i = 0; i <= 10; ++i) effect->setParameter(i, 0.5f);
    for (const std::string& text : hostile) {
        putOnClipboard(text);
        press(23);
        EXPECT_STREQ(editor->content().getReadoutText(), "Failed From Clipboard") << text.substr(0, 40);
        for (int i = 0; i <= 10; ++i) EXPECT_EQ(effect->getParameter(i), 0.5f);
    }
}

}  // namespace
