// The buttons as a person uses them: clicks on the real uravik.exe under
// Wine's virtual desktop, with stand-in companions that record how they
// were started.

#include "app/commands.h"
#include "tests/e2e/e2e_session.h"

namespace {

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
        // Notepad is the system's: a notepad.exe in either folder is planted.
        CreateDirectoryA(programDir.c_str(), nullptr);
        const std::string standIn = fromEnvironment("URAVIK_STAND_IN", "stand_in_companion.exe");
        ASSERT_TRUE(CopyFileA(uravikExe().c_str(), (programDir + "\\uravik.exe").c_str(), FALSE));
        for (const std::string name : {"aboutuv.exe", "uvstat.lib", "uvreader.exe", "notepad.exe"})
            for (const std::string& to : {programDir + "\\" + name, path(name)})
                ASSERT_TRUE(CopyFileA(standIn.c_str(), to.c_str(), FALSE)) << to;
        write("uvmanual.txt", "Uravik\r\n");
        ASSERT_TRUE(start(runsItsClock, programDir + "\\uravik.exe"));
    }

    const std::string programDir = path("program");
};

TEST_F(Commands, ButtonsStartProgramsByFullPathOnlyFromTheirOwnFoldersAndSwitchTheViews)
{
    // The manual last: Notepad's window comes up over Uravik's.
    for (const FieldRect& button : {layout::timeListButton, layout::statisticsButton,
                                    layout::aboutButton, layout::manualButton})
        clickOn(window, button);
    const std::string quoted = "\"" + programDir + "\\";
    const std::string expected = quoted + "aboutuv.exe\"\n" + quoted +
                                 "uvreader.exe\" ytime.dab\n" + quoted + "uvstat.lib\"\n";
    std::string started;
    waitUntil([&] {
        started = "";
        for (const char* name : {"aboutuv.exe", "notepad.exe", "uvreader.exe", "uvstat.lib"})
            started += read(std::string("started-") + name + ".txt");
        return started.size() >= expected.size();
    });
    EXPECT_EQ(started, expected) << "no planted notepad.exe either";

    // A real Notepad, not the planted one, showing the manual of the working
    // directory once it has loaded it.
    HWND notepad = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        notepad = FindWindowA("Notepad", nullptr);
        return windowTitle(notepad).rfind("uvmanual.txt", 0) == 0;
    })) << windowTitle(notepad);
    screenshot("companions");
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(notepad); }, 3000);

    // A companion missing beside uravik.exe is reported, not looked for.
    DeleteFileA(path("started-uvreader.exe.txt").c_str());
    ASSERT_TRUE(DeleteFileA((programDir + "\\uvreader.exe").c_str()));
    clickOn(window, layout::timeListButton);
    std::string box;
    waitUntil([&] { return !(box = uravik->answerBoxes(true)).empty(); }, 2000);
    EXPECT_THAT(box,
                AllOf(StartsWith("FELMEDDELANDE: "), HasSubstr(programDir + "\\uvreader.exe")));
    settle(500);
    EXPECT_EQ(read("started-uvreader.exe.txt"), "");

    // The narrow views, the system menu back to the whole window, and edit
    // mode.
    RECT before;
    GetWindowRect(window, &before);
    // Narrowed where it stands.
    const auto outerSizeIs = [&](int heightBelowCaption) {
        RECT now;
        GetWindowRect(window, &now);
        EXPECT_EQ(std::tuple(now.left, now.top, now.right - now.left, now.bottom - now.top),
                  std::tuple(before.left, before.top, layout::narrowViewWidth,
                             GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption));
    };

    clickOn(window, layout::compactViewButton);
    outerSizeIs(layout::compactViewHeightBelowCaption);
    settle(2000);  // two title refreshes of the tick
    EXPECT_EQ(windowTitle(window), "Uravik Configuration");
    EXPECT_TRUE(childIsUsable(GetDlgItem(window, cmdSmallView)))
        << "\"Avbryt\" can be clicked in the compact view";
    screenshot("compact-view");

    clickOn(window, layout::cancelButton);
    outerSizeIs(layout::smallViewHeightBelowCaption);
    settle(1200);
    EXPECT_THAT(windowTitle(window), StartsWith("Uravik 0:"));
    screenshot("small-view");
    SendMessageA(window, WM_SYSCOMMAND, sysCmdMainView, 0);  // "Hela f\xF6nstret"
    settle(300);

    clickOn(window, layout::editButton);  // the second "Config"
    EXPECT_TRUE(childIsUsable(GetDlgItem(window, cmdEditOff))) << "\"OK\" in place";
    EXPECT_FALSE(childIsUsable(GetDlgItem(window, cmdEditOn)));

    EXPECT_THAT(screenImage(window, interiorOf(layout::highRateCostInput)).pixels,
                testing::Contains(RGB(255, 0, 0)))
        << "field 4 shows its text in red";
    for (const auto& [field, keys] :
         {std::pair{layout::highRateCostInput, "42"}, {layout::modemPortInput, "com3"}}) {
        const auto before = screenImage(window, interiorOf(field)).pixels;
        clickOn(window, field);
        typeKeys(keys);
        settle(300);
        EXPECT_NE(screenImage(window, interiorOf(field)).pixels, before)
            << "typing shows: " << keys;
    }
    screenshot("edit-mode");

    clickOn(window, layout::editButton);  // "OK"
    EXPECT_TRUE(childIsUsable(GetDlgItem(window, cmdEditOn))) << "the second \"Config\" is back";
    EXPECT_FALSE(childIsUsable(GetDlgItem(window, cmdEditOff)));
}

}  // namespace
