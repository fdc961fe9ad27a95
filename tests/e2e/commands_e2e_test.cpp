// The buttons as a person uses them: clicks on the real uravik.exe under
// Wine's virtual desktop, with stand-in companions that record how they
// were started.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

// A state file and an empty log, so start-up has nothing to report, and a
// manual for Notepad to open.
void prepareDataFiles(const std::string& dir)
{
    writeFile(dir + "\\ysave.dab", sampleState("\r\n"));
    writeFile(dir + "\\ytime.dab", "");
    writeFile(dir + "\\uvmanual.txt", "Uravik\r\n");
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program in a folder of its own with stand-in companions; the
        // data folder, its working directory, with planted programs of the
        // same names that must never run.
        dir = makeEmptyDirectory("uravik-e2e-commands");
        programDir = dir + "\\program";
        CreateDirectoryA(programDir.c_str(), nullptr);
        const std::string standIn = fromEnvironment("URAVIK_STAND_IN", "stand_in_companion.exe");
        ASSERT_TRUE(copyFile(uravikExe(), programDir + "\\uravik.exe"));
        for (const char* name : {"aboutuv.exe", "uvstat.lib", "uvreader.exe"})
            ASSERT_TRUE(copyFile(standIn, programDir + "\\" + name)) << name;
        for (const char* name : {"notepad.exe", "aboutuv.exe", "uvstat.lib", "uvreader.exe"})
            ASSERT_TRUE(copyFile(standIn, dir + "\\" + name)) << name;
        prepareDataFiles(dir);
        uravik = std::make_unique<UravikProcess>(programDir + "\\uravik.exe", dir);
        ASSERT_TRUE(uravik->started());
        window = uravik->waitForMainWindow(runsItsClock, 5000);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        if (window) {
            EXPECT_EQ(uravik->closeAndWait(window, 5000), 0);
        }
        keepDataFiles(dir);
    }
    void screenshot(const std::string& name)
    {
        settle(300);
        saveScreenshot(artifactsDirectory() + "\\" + name + ".bmp");
    }
    HWND child(int id) const { return GetDlgItem(window, id); }

    std::string dir;
    std::string programDir;
    std::unique_ptr<UravikProcess> uravik;
    HWND window = nullptr;
};

TEST_F(Commands, ButtonsStartProgramsByFullPathOnlyFromTheirOwnFolders)
{
    clickAt(window, 137, 202);  // Tidlista
    clickAt(window, 59, 257);   // Statistik
    clickAt(window, 229, 257);  // Om
    clickAt(window, 184, 257);  // Manual, last: Notepad's window comes up over Uravik's
    std::vector<std::string> started;
    for (int wait = 0; wait < 50 && started.size() < 3; ++wait) {
        settle(100);
        started.clear();
        for (const char* name : {"aboutuv.exe", "notepad.exe", "uvreader.exe", "uvstat.lib"}) {
            const std::string line = readFile(dir + "\\started-" + name + ".txt");
            if (!line.empty())
                started.push_back(line);
        }
    }
    const std::string quoted = "\"" + programDir + "\\";
    EXPECT_EQ(started, (std::vector<std::string>{quoted + "aboutuv.exe\"\n",
                                                 quoted + "uvreader.exe\" ytime.dab\n",
                                                 quoted + "uvstat.lib\"\n"}))
        << "no notepad.exe from the data folder either";

    // A real Notepad, not the planted one, showing the manual of the working
    // directory once it has loaded it.
    HWND notepad = nullptr;
    for (int wait = 0; wait < 50 && windowTitle(notepad).rfind("uvmanual.txt", 0) != 0; ++wait) {
        settle(100);
        notepad = FindWindowA("Notepad", nullptr);
    }
    ASSERT_NE(notepad, nullptr);
    EXPECT_EQ(windowTitle(notepad).rfind("uvmanual.txt", 0), 0u) << windowTitle(notepad);
    screenshot("companions");
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    for (int wait = 0; wait < 30 && IsWindow(notepad); ++wait)
        settle(100);

    // A companion missing beside uravik.exe is reported, not looked for.
    DeleteFileA((dir + "\\started-uvreader.exe.txt").c_str());
    ASSERT_TRUE(DeleteFileA((programDir + "\\uvreader.exe").c_str()));
    clickAt(window, 137, 202);  // Tidlista
    std::string box;
    for (int wait = 0; wait < 20 && box.empty(); ++wait) {
        settle(100);
        box = answerMessageBoxes(uravik->processId(), true);
    }
    EXPECT_EQ(box.rfind("FELMEDDELANDE: ", 0), 0u) << box;
    EXPECT_NE(box.find(programDir + "\\uvreader.exe"), std::string::npos) << box;
    settle(500);
    EXPECT_EQ(readFile(dir + "\\started-uvreader.exe.txt"), "");
}

TEST_F(Commands, CompactViewKeepsItsTitleAndCancelLeadsToTheSmallView)
{
    RECT before;
    GetWindowRect(window, &before);
    const int caption = GetSystemMetrics(SM_CYCAPTION);

    clickAt(window, 124, 257);  // the first "Config"
    EXPECT_EQ(outerSize(window).cx, 291);
    EXPECT_EQ(outerSize(window).cy, caption + 258);
    settle(2000);  // two title refreshes of the tick
    EXPECT_EQ(windowTitle(window), "Uravik Configuration");
    EXPECT_TRUE(childIsUsable(child(8))) << "\"Avbryt\" can be clicked in the compact view";
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, before.left) << "the window stays where it was";
    EXPECT_EQ(after.top, before.top);
    screenshot("compact-view");

    RECT cancel;
    GetWindowRect(child(8), &cancel);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&cancel), 2);
    clickAt(window, (cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2);
    EXPECT_EQ(outerSize(window).cx, 291);
    EXPECT_EQ(outerSize(window).cy, caption + 188);
    settle(1200);
    EXPECT_EQ(windowTitle(window).rfind("Uravik 0:", 0), 0u) << windowTitle(window);
    screenshot("small-view");
}

TEST_F(Commands, EditModeSwapsConfigForOkAndBack)
{
    clickAt(window, 583, 250);  // the second "Config"
    EXPECT_TRUE(childIsUsable(child(9))) << "\"OK\" in place";
    EXPECT_FALSE(childIsUsable(child(10)));

    // The inside of the two input boxes, where their red text is written.
    const RECT field4 = {472, 157, 519, 172};
    const RECT field5 = {472, 237, 519, 252};
    const auto field4Before = capturePixels(window, field4);
    const auto field5Before = capturePixels(window, field5);
    EXPECT_TRUE(std::count(field4Before.begin(), field4Before.end(), RGB(255, 0, 0)) > 0)
        << "field 4 shows its text in red";

    clickAt(window, 495, 162);  // field 4
    typeKeys("42");
    clickAt(window, 495, 242);  // field 5
    typeKeys("COM3");
    settle(300);
    EXPECT_NE(capturePixels(window, field4), field4Before) << "typing shows in field 4";
    EXPECT_NE(capturePixels(window, field5), field5Before) << "typing shows in field 5";
    screenshot("edit-mode");

    clickAt(window, 583, 250);  // "OK"
    EXPECT_TRUE(childIsUsable(child(10))) << "the second \"Config\" is back";
    EXPECT_FALSE(childIsUsable(child(9)));
    screenshot("edit-mode-off");
}

}  // namespace
