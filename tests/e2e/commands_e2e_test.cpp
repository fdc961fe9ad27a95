// The buttons as a person uses them: clicks on the real uravik.exe under
// Wine's virtual desktop, with stand-in companions that record how they
// were started.

#include "app/commands.h"
#include "tests/e2e/e2e_session.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// The inside of an input box, where its red text is written.
RECT interiorOf(const FieldRect& r)
{
    return {r.x + 2, r.y + 2, r.x + r.width - 1, r.y + r.height + 2};
}

class Commands : public Session {
protected:
    void SetUp() override
    {
        // The program in a folder of its own with stand-in companions; the
        // data folder, its working directory, with planted programs of the
        // same names that must never run, and a manual for Notepad to open.
        programDir = path("program");
        CreateDirectoryA(programDir.c_str(), nullptr);
        const std::string standIn = fromEnvironment("URAVIK_STAND_IN", "stand_in_companion.exe");
        ASSERT_TRUE(copyFile(uravikExe(), programDir + "\\uravik.exe"));
        for (const char* name : {"aboutuv.exe", "uvstat.lib", "uvreader.exe"})
            ASSERT_TRUE(copyFile(standIn, programDir + "\\" + name)) << name;
        for (const char* name : {"notepad.exe", "aboutuv.exe", "uvstat.lib", "uvreader.exe"})
            ASSERT_TRUE(copyFile(standIn, path(name))) << name;
        prepareFiles();
        write("uvmanual.txt", "Uravik\r\n");
        ASSERT_TRUE(start(runsItsClock, programDir + "\\uravik.exe"));
    }
    HWND child(int id) const { return GetDlgItem(window, id); }

    std::string programDir;
};

TEST_F(Commands, ButtonsStartProgramsByFullPathOnlyFromTheirOwnFolders)
{
    clickOn(window, layout::timeListButton);
    clickOn(window, layout::statisticsButton);
    clickOn(window, layout::aboutButton);
    clickOn(window, layout::manualButton);  // last: Notepad's window comes up over Uravik's
    std::vector<std::string> started;
    waitUntil([&] {
        started.clear();
        for (const char* name : {"aboutuv.exe", "notepad.exe", "uvreader.exe", "uvstat.lib"})
            if (const std::string line = read(std::string("started-") + name + ".txt");
                !line.empty())
                started.push_back(line);
        return started.size() >= 3;
    });
    const std::string quoted = "\"" + programDir + "\\";
    EXPECT_THAT(started,
                ElementsAre(quoted + "aboutuv.exe\"\n", quoted + "uvreader.exe\" ytime.dab\n",
                            quoted + "uvstat.lib\"\n"))
        << "no notepad.exe from the data folder either";

    // A real Notepad, not the planted one, showing the manual of the working
    // directory once it has loaded it.
    HWND notepad = nullptr;
    waitUntil([&] {
        notepad = FindWindowA("Notepad", nullptr);
        return windowTitle(notepad).rfind("uvmanual.txt", 0) == 0;
    });
    ASSERT_NE(notepad, nullptr);
    EXPECT_THAT(windowTitle(notepad), StartsWith("uvmanual.txt"));
    screenshot("companions");
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(notepad); }, 3000);

    // A companion missing beside uravik.exe is reported, not looked for.
    DeleteFileA(path("started-uvreader.exe.txt").c_str());
    ASSERT_TRUE(DeleteFileA((programDir + "\\uvreader.exe").c_str()));
    clickOn(window, layout::timeListButton);
    std::string box;
    waitUntil([&] { return !(box = answerMessageBoxes(uravik->processId(), true)).empty(); }, 2000);
    EXPECT_THAT(box,
                AllOf(StartsWith("FELMEDDELANDE: "), HasSubstr(programDir + "\\uvreader.exe")));
    settle(500);
    EXPECT_EQ(read("started-uvreader.exe.txt"), "");
}

// The narrow views, the system menu back to the whole window, and edit mode.
TEST_F(Commands, TheNarrowViewsKeepTheirTitlesAndEditModeSwapsConfigForOk)
{
    RECT before;
    GetWindowRect(window, &before);
    const auto outerSizeIs = [&](int heightBelowCaption) {
        const SIZE size = outerSize(window);
        EXPECT_EQ(size.cx, layout::narrowViewWidth);
        EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption);
    };

    clickOn(window, layout::compactViewButton);
    outerSizeIs(layout::compactViewHeightBelowCaption);
    settle(2000);  // two title refreshes of the tick
    EXPECT_EQ(windowTitle(window), "Uravik Configuration");
    EXPECT_TRUE(childIsUsable(child(cmdSmallView)))
        << "\"Avbryt\" can be clicked in the compact view";
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, before.left) << "the window stays where it was";
    EXPECT_EQ(after.top, before.top);
    screenshot("compact-view");

    clickOn(window, layout::cancelButton);
    outerSizeIs(layout::smallViewHeightBelowCaption);
    settle(1200);
    EXPECT_THAT(windowTitle(window), StartsWith("Uravik 0:"));
    screenshot("small-view");
    SendMessageA(window, WM_SYSCOMMAND, sysCmdMainView, 0);  // "Hela f\xF6nstret"
    settle(300);

    clickOn(window, layout::editButton);  // the second "Config"
    EXPECT_TRUE(childIsUsable(child(cmdEditOff))) << "\"OK\" in place";
    EXPECT_FALSE(childIsUsable(child(cmdEditOn)));

    const RECT field4 = interiorOf(layout::highRateCostInput);
    const RECT field5 = interiorOf(layout::modemPortInput);
    const auto field4Before = capturePixels(window, field4);
    const auto field5Before = capturePixels(window, field5);
    EXPECT_THAT(field4Before, testing::Contains(RGB(255, 0, 0))) << "field 4 shows its text in red";

    clickOn(window, layout::highRateCostInput);
    typeKeys("42");
    clickOn(window, layout::modemPortInput);
    typeKeys("COM3");
    settle(300);
    EXPECT_NE(capturePixels(window, field4), field4Before) << "typing shows in field 4";
    EXPECT_NE(capturePixels(window, field5), field5Before) << "typing shows in field 5";
    screenshot("edit-mode");

    clickOn(window, layout::editButton);  // "OK"
    EXPECT_TRUE(childIsUsable(child(cmdEditOn))) << "the second \"Config\" is back";
    EXPECT_FALSE(childIsUsable(child(cmdEditOff)));
    screenshot("edit-mode-off");
}

}  // namespace
