// The file dialog run as a child process, with stand-in programs named zenity and kdialog
// placed alone on PATH: they record their arguments and environment, and print a path or
// exit 1 as the real ones do for a choice or a cancel.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "gui/platform/FileDialog.h"
#include "tests/support/TestFiles.h"

namespace {

using VSTGUI::platform::FileDialogOutcome;
using VSTGUI::platform::FileDialogRequest;
using VSTGUI::platform::runFileDialog;

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        previousPath_ = path ? path : "";
        const char* home = std::getenv("HOME");
        previousHome_ = home ? home : "";
        std::filesystem::create_directory(folder.file("bin"));
        setenv("PATH", ("relative:" + folder.file("bin")).c_str(), 1);
        setenv("WINDOWID", "999", 1);  // as a terminal leaves it
    }
    void TearDown() override {
        setenv("PATH", previousPath_.c_str(), 1);
        setenv("HOME", previousHome_.c_str(), 1);
        unsetenv("WINDOWID");
    }

    // A program on PATH that records how it was run, then does what `body` says.
    void installStandIn(const std::string& name, const std::string& body,
                        mode_t mode = 0755) {
        const std::string program = folder.file("bin/" + name);
        writeText(program, "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                           "if [ \"$1\" = --version ]; then echo \"${VERSION:-3.44.0}\"; exit 0; fi\n"
                           "printf '%s\\n' \"$@\" > '" + folder.file(name + ".arguments") + "'\n"
                           "echo \"$WINDOWID\" > '" + folder.file(name + ".windowid") + "'\n" +
                           body + "\n");
        chmod(program.c_str(), mode);
    }

    std::vector<std::string> recordedLines(const std::string& name) const {
        std::istringstream text(readText(folder.file(name)));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

    FileDialogOutcome run(const FileDialogRequest& request) {
        chosen = "unchanged";
        return runFileDialog(request, chosen,
                             [this] { waitingCalls.push_back(std::chrono::steady_clock::now()); });
    }

    static FileDialogRequest request(bool save) {
        FileDialogRequest r;
        r.save = save;
        r.title = save ? "Choose A Preset File To Save" : "Choose A Preset File To Load";
        r.filterName = "Marvolenzik";
        r.filterPattern = "*.mvz";
        return r;
    }

    TemporaryFolder folder;
    std::string chosen;
    std::vector<std::chrono::steady_clock::time_point> waitingCalls;

private:
    std::string previousPath_;
    std::string previousHome_;
};

TEST_F(FileDialog, ZenityOpensWithTitleFilterStartPathAndParentAndGivesThePath) {
    installStandIn("zenity", "echo '/home/user/my presets/warm.mvz'");
    FileDialogRequest open = request(false);
    open.startPath = "/home/user/my presets/";
    open.parentWindow = 0x3a00007;
    EXPECT_EQ(run(open), FileDialogOutcome::chosen);
    EXPECT_EQ(chosen, "/home/user/my presets/warm.mvz");
    EXPECT_EQ(recordedLines("zenity.arguments"),
              (std::vector<std::string>{"--file-selection", "--title=Choose A Preset File To Load",
                                        "--file-filter=Marvolenzik | *.mvz",
                                        "--filename=/home/user/my presets/"}));
    EXPECT_EQ(recordedLines("zenity.windowid"), std::vector<std::string>{"60817415"});
}

TEST_F(FileDialog, ZenitySaveAsksForOverwriteConfirmationWhereTheOptionExists) {
    installStandIn("zenity", "echo /tmp/preset.mvz");
    FileDialogRequest save = request(true);
    save.startPath = "relative/start";  // never resolved against the host's folder
    ASSERT_EQ(run(save), FileDialogOutcome::chosen);
    EXPECT_EQ(recordedLines("zenity.arguments"),
              (std::vector<std::string>{"--file-selection", "--title=Choose A Preset File To Save",
                                        "--file-filter=Marvolenzik | *.mvz", "--save",
                                        "--confirm-overwrite"}));
    EXPECT_EQ(recordedLines("zenity.windowid"), std::vector<std::string>{""});

    setenv("VERSION", "4.0.1", 1);  // confirms by itself and knows no such option
    EXPECT_EQ(run(save), FileDialogOutcome::chosen);
    unsetenv("VERSION");
    const std::vector<std::string> arguments = recordedLines("zenity.arguments");
    EXPECT_EQ(arguments.back(), "--save");
}

TEST_F(FileDialog, ExitOneOrNoPathIsACancel) {
    installStandIn("zenity", "exit 1");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
    EXPECT_EQ(chosen, "unchanged");
    installStandIn("zenity", "echo; exit 0");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
    installStandIn("zenity", "kill -9 $$");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
}

TEST_F(FileDialog, WorksInAHostThatLeavesChildrenToTheSystem) {
    struct sigaction ignore {}, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGCHLD, &ignore, &previous);  // children are reaped without a status
    installStandIn("zenity", "echo /tmp/reaped.mvz");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::chosen);
    EXPECT_EQ(chosen, "/tmp/reaped.mvz");
    installStandIn("zenity", "exit 1");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
    sigaction(SIGCHLD, &previous, nullptr);
}

TEST_F(FileDialog, KdialogWhereZenityIsMissingOrCannotRun) {
    installStandIn("zenity", "echo /never", 0644);  // not executable
    installStandIn("kdialog", "echo /home/user/bright.mvz");
    FileDialogRequest save = request(true);
    save.startPath = "/home/user";
    save.parentWindow = 42;
    EXPECT_EQ(run(save), FileDialogOutcome::chosen);
    EXPECT_EQ(chosen, "/home/user/bright.mvz");
    EXPECT_EQ(recordedLines("kdialog.arguments"),
              (std::vector<std::string>{"--attach", "42", "--title", "Choose A Preset File To Save",
                                        "--getsavefilename", "/home/user", "Marvolenzik (*.mvz)"}));
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(run(request(false)), FileDialogOutcome::chosen);
    EXPECT_EQ(recordedLines("kdialog.arguments"),
              (std::vector<std::string>{"--title", "Choose A Preset File To Load",
                                        "--getopenfilename", "/home/someone",
                                        "Marvolenzik (*.mvz)"}));
}

TEST_F(FileDialog, NeitherProgramMeansUnavailable) {
    EXPECT_EQ(run(request(false)), FileDialogOutcome::unavailable);
    EXPECT_EQ(chosen, "unchanged");
    EXPECT_TRUE(waitingCalls.empty());
}

TEST_F(FileDialog, KeepsTheCallerServedWhileTheDialogIsOpen) {
    installStandIn("zenity", "sleep 0.4; echo /tmp/slow.mvz");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::chosen);
    EXPECT_EQ(chosen, "/tmp/slow.mvz");
    ASSERT_GE(waitingCalls.size(), 8u);  // the dialog stays open 400 ms
    for (std::size_t i = 1; i < waitingCalls.size(); ++i)
        EXPECT_GE(waitingCalls[i] - waitingCalls[i - 1], std::chrono::milliseconds(20));
}

TEST_F(FileDialog, HugeOutputIsReadBoundedAndIsNoPath) {
    installStandIn("zenity", "head -c 20000000 /dev/zero | tr '\\0' a; exit 0");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
    EXPECT_EQ(chosen, "unchanged");
    installStandIn("zenity", "printf '/tmp/a\\000b\\n'");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::cancelled);
    installStandIn("zenity", "printf '/tmp/crlf.mvz\\r\\n'");
    EXPECT_EQ(run(request(false)), FileDialogOutcome::chosen);
    EXPECT_EQ(chosen, "/tmp/crlf.mvz");
}

}  // namespace
