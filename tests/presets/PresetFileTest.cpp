// Preset files, real ones in a temporary folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "presets/PresetState.h"
#include "tests/support/TestFiles.h"
#include "tests/presets/ArrayParameters.h"
#include "tests/presets/PrintfPresetText.h"

namespace {

const std::vector<float> kValues{0.1f, 0.9f, 0.2f, 0.5f, 0.8f, 0.3f, 0.35f, 1.0f, 1.0f, 0.0f, 0.6f};

class PresetFiles : public ::testing::Test {
protected:
    PresetFiles() {
        std::copy(kValues.begin(), kValues.end(), source.values.begin());
        std::array<char, kPresetTextBytes> clipboard;
        state.buildPresetText(source, clipboard);
    }

    // A fresh state's load of the file: the values it applied, none when it applied none.
    std::pair<PresetFileOutcome, std::vector<float>> load(const std::string& path) {
        PresetState reader;
        ArrayParameters target;
        const PresetFileOutcome outcome = reader.loadPresetFile(path, target);
        std::vector<float> applied;
        for (const auto& [index, value] : target.automated) applied.push_back(value);
        return {outcome, applied};
    }

    TemporaryFolder folder;
    ArrayParameters source;
    PresetState state;
};

TEST_F(PresetFiles, SaveAddsDezUnlessThePathHoldsItAnywhere) {
    std::filesystem::create_directory(folder.file("bank.dez.d"));
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {{"preset", "preset.dez"},
                 {"preset.mvz", "preset.mvz.dez"},
                 {"preset.dez", "preset.dez"},
                 {"PRESET.DEZ", "PRESET.DEZ.dez"},
                 {"bank.dez.d/preset", "bank.dez.d/preset"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        ASSERT_EQ(state.savePresetFile(folder.file(c.chosen)), PresetFileOutcome::done);
        EXPECT_EQ(state.presetPath(), folder.file(c.written));
        EXPECT_EQ(readText(folder.file(c.written)), printfPresetText(kValues));
        EXPECT_EQ(load(folder.file(c.written)).second, kValues);
    }
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"PRESET.DEZ.dez", "bank.dez.d",
                                                          "preset.dez", "preset.mvz.dez"}));
}

TEST_F(PresetFiles, SaveEmptiesAnExistingFileAndWritesExactlyTheText) {
    writeText(folder.file("old.dez"), std::string(5000, 'x'));
    ASSERT_EQ(state.savePresetFile(folder.file("old.dez")), PresetFileOutcome::done);
    EXPECT_EQ(readText(folder.file("old.dez")), state.presetOutText());
}

TEST_F(PresetFiles, LoadAcceptsAnyFirstWordAndLineEndsButNotTenValues) {
    writeText(folder.file("other.mvz"), printfPresetText(kValues, "Compressor 010000", "\r\n"));
    EXPECT_EQ(load(folder.file("other.mvz")),
              std::make_pair(PresetFileOutcome::done, kValues));
    writeText(folder.file("short.mvz"), printfPresetText({kValues.begin(), kValues.end() - 1}));
    EXPECT_EQ(load(folder.file("short.mvz")),
              std::make_pair(PresetFileOutcome::notAPreset, std::vector<float>{}));
    writeText(folder.file("binary.mvz"), std::string("\x7f" "ELF\0\0\xff\xfe", 8) + printfPresetText(kValues));
    EXPECT_EQ(load(folder.file("binary.mvz")).first, PresetFileOutcome::notAPreset);
}

TEST_F(PresetFiles, WhatCannotBeReadIsNotApplied) {
    std::filesystem::create_directory(folder.file("folder.mvz"));
    ASSERT_EQ(mkfifo(folder.file("pipe.mvz").c_str(), 0600), 0);  // would block a reader
    for (const char* name : {"missing.mvz", "folder.mvz", "pipe.mvz"})
        EXPECT_EQ(load(folder.file(name)),
                  std::make_pair(PresetFileOutcome::cannotOpen, std::vector<float>{}))
            << name;
    writeText(folder.file("locked.mvz"), printfPresetText(kValues));
    chmod(folder.file("locked.mvz").c_str(), 0);
    if (geteuid() != 0) {  // permissions do not stop root
        EXPECT_EQ(load(folder.file("locked.mvz")).first, PresetFileOutcome::cannotOpen);
    }
}

TEST_F(PresetFiles, WhatCannotBeWrittenIsReportedAndLeavesNoFile) {
    writeText(folder.file("plain"), "a file, not a folder");
    std::filesystem::create_directory(folder.file("taken.dez"));
    for (const char* name : {"missing/preset", "plain/preset", "taken.dez"})
        EXPECT_EQ(state.savePresetFile(folder.file(name)), PresetFileOutcome::cannotOpen) << name;
    std::filesystem::create_directory(folder.file("readonly"));
    chmod(folder.file("readonly").c_str(), 0555);
    if (geteuid() != 0) {
        EXPECT_EQ(state.savePresetFile(folder.file("readonly/preset")),
                  PresetFileOutcome::cannotOpen);
    }
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"plain", "readonly", "taken.dez"}));
}

// A file size limit stands in for a full disk: writes beyond it fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);  // the write fails instead of the process
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    sighandler_t previousHandler_;
};

TEST_F(PresetFiles, AFailedSaveLeavesTheOldPresetWholeAndNoTraces) {
    const std::string old = printfPresetText({0.25f, 0.5f, 0.75f, 1.0f, 0.0f, 0.5f, 0.5f, 1.0f,
                                              1.0f, 0.0f, 0.0f});
    writeText(folder.file("kept ü.dez"), old);
    {
        const FileSizeLimit full(100);
        EXPECT_EQ(state.savePresetFile(folder.file("kept ü.dez")), PresetFileOutcome::cannotWrite);
        EXPECT_EQ(state.savePresetFile(folder.file("new")), PresetFileOutcome::cannotWrite);
    }
    EXPECT_EQ(readText(folder.file("kept ü.dez")), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"kept ü.dez"});
}

TEST_F(PresetFiles, ASaveKeepsTheFilesPermissionsAndLinks) {
    writeText(folder.file("shared.dez"), "old");
    chmod(folder.file("shared.dez").c_str(), 0640);
    std::filesystem::create_symlink("shared.dez", folder.file("link.dez"));
    ASSERT_EQ(state.savePresetFile(folder.file("link.dez")), PresetFileOutcome::done);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.dez")));
    EXPECT_EQ(readText(folder.file("shared.dez")), printfPresetText(kValues));
    struct stat written {};
    ASSERT_EQ(stat(folder.file("shared.dez").c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"link.dez", "shared.dez"}));

    if (geteuid() != 0) {  // permissions do not stop root
        chmod(folder.file("shared.dez").c_str(), 0440);
        EXPECT_EQ(state.savePresetFile(folder.file("shared.dez")), PresetFileOutcome::cannotOpen);
        chmod(folder.file("shared.dez").c_str(), 0640);
        EXPECT_EQ(readText(folder.file("shared.dez")), printfPresetText(kValues));
    }
}

TEST_F(PresetFiles, SaveOverANamedPipeIsRefusedRatherThanBlocking) {
    ASSERT_EQ(mkfifo(folder.file("pipe.dez").c_str(), 0600), 0);  // would block a writer
    EXPECT_EQ(state.savePresetFile(folder.file("pipe.dez")), PresetFileOutcome::cannotOpen);
}

TEST_F(PresetFiles, PathsLongerThan255CharactersAreRefusedAfterTheExtension) {
    const std::string base = folder.file("");
    const std::string fits = base + std::string(255 - base.size() - 4, 'p');  // 255 with .dez
    const std::string tooLong = fits + "q";
    ASSERT_EQ(state.savePresetFile(fits), PresetFileOutcome::done);
    EXPECT_EQ(state.presetPath().size(), 255u);
    EXPECT_EQ(load(fits + ".dez").second, kValues);

    EXPECT_EQ(state.savePresetFile(tooLong), PresetFileOutcome::pathRefused);
    EXPECT_EQ(state.presetPath(), fits + ".dez");  // unchanged
    writeText(tooLong + ".dez", printfPresetText(kValues));
    EXPECT_EQ(load(tooLong + ".dez").first, PresetFileOutcome::pathRefused);
    EXPECT_EQ(state.writePresetOutText(std::string(2000, '/')), PresetFileOutcome::pathRefused);
    EXPECT_EQ(state.writePresetOutText(""), PresetFileOutcome::pathRefused);
    const std::string withZero = base + std::string("a\0b", 3);
    EXPECT_EQ(state.writePresetOutText(withZero), PresetFileOutcome::pathRefused);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{fits.substr(base.size()) + ".dez",
                                                          tooLong.substr(base.size()) + ".dez"}));
}

TEST_F(PresetFiles, LongFilesAreCutAndLoadOnlyWhenTheLastValueEndsBeforeTheCut) {
    const std::string text = printfPresetText(kValues);
    writeText(folder.file("notes.mvz"), text + std::string(50000, '#'));
    EXPECT_EQ(load(folder.file("notes.mvz")).second, kValues);

    // The text fills the 9,999 characters kept exactly. Its last value ends with the
    // line feed in the last place kept: loaded. Without the line feed its digits reach
    // the cut and may go on beyond it: refused.
    const std::string filled = std::string(kLongestPresetText - text.size(), ' ') + text;
    writeText(folder.file("edge.mvz"), filled + "zzz");
    EXPECT_EQ(load(folder.file("edge.mvz")).second, kValues);
    std::string unended = filled;
    unended.back() = ' ';
    std::rotate(unended.rbegin(), unended.rbegin() + 1, unended.rend());  // the space to the front
    writeText(folder.file("cut.mvz"), unended + "1111\n");
    EXPECT_EQ(load(folder.file("cut.mvz")).first, PresetFileOutcome::notAPreset);
    writeText(folder.file("exact.mvz"), unended);
    EXPECT_EQ(load(folder.file("exact.mvz")).second, kValues);  // nothing beyond: not cut
    writeText(folder.file("beyond.mvz"), std::string(9990, ' ') + text);
    EXPECT_EQ(load(folder.file("beyond.mvz")).first, PresetFileOutcome::notAPreset);
}

}  // namespace
