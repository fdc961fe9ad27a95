// Start-up as a user meets it: a folder whose files went missing, which
// reports them once each and then creates them, also when the session ends
// while its box is still open. (A new install's quiet start and an oversized
// log's move are proven beside the second instance.)

#include "tests/e2e/e2e_session.h"

namespace {

using StartUp = Session;

TEST_F(StartUp, FilesGoneMissingAreReportedOnceEachThenCreated)
{
    DeleteFileA(path("ysave.dab").c_str());
    DeleteFileA(path("ytime.dab").c_str());
    write("yhist.dab", "HISTORIA\r\n");
    ASSERT_TRUE(startAnswering());
    answerUntil(1500);  // nothing more may come
    EXPECT_EQ(answered, "FELMEDDELANDE,FILFEL");
    screenshot("first-run");

    // The headings were first painted while the boxes were open, before the
    // fonts existed; once start-up is through they show in their own font.
    const RECT headings = {layout::leftGroupFrame.x, 0,
                           layout::rightGroupFrame.x + layout::rightGroupFrame.width,
                           layout::leftGroupFrame.y + 2};
    const auto shown = screenImage(window, headings).pixels;
    InvalidateRect(window, nullptr, TRUE);
    settle(500);
    EXPECT_EQ(shown, screenImage(window, headings).pixels)
        << "a heading is still in the system font";

    // The boxes lay above Uravik's window: the run was logged from the first.
    bringToTop(makePeerWindow());
    settle(1600);
    EXPECT_THAT(read("ytime.dab"),
                AllOf(HasSubstr("Uppstart nr=  1        \r\n"), HasSubstr("WINDOWS\r\n")));
    EXPECT_THAT(read("ysave.dab"), StartsWith("1   =Uppstarter\r\n"));
}

// A start from the Startup folder can hide its box behind other windows
// for a whole day: the session's end, with the box still open and the
// process killed right after, stores the run all the same.
TEST_F(StartUp, TheSessionEndedWhileAStartUpBoxIsOpenStoresTheRun)
{
    DeleteFileA(path("ysave.dab").c_str());
    ASSERT_TRUE(start([](HWND) { return true; }));
    ASSERT_TRUE(waitUntil([] { return FindWindowA("#32770", "FILFEL") != nullptr; }, 8000))
        << "no start-up box";
    settle(1500);
    uravik->endSessionAndKill(window);
    EXPECT_THAT(read("ysave.dab"), StartsWith("1   =Uppstarter\r\n"));
    EXPECT_THAT(read("ytime.dab"),
                AllOf(HasSubstr("Uppstart nr=  1        \r\n"), HasSubstr("    WINDOWS\r\n")));
}

}  // namespace
