// uravik.exe keeping its accounts: with a state file from earlier runs, a
// window is brought above Uravik's and the log and the state file are read
// back as the log reader and the next start-up would read them.

#include "tests/e2e/e2e_session.h"

namespace {

using ::testing::AnyOf;
using ::testing::EndsWith;
using ::testing::MatchesRegex;

using PersistenceEndToEnd = Session;

// The first run logs the windows above and is closed; the second, started
// while another program holds the state file, counts on from the saved
// state, has nothing above, sleeps and wakes, and ends with the session,
// killed right after as the system may do. Each end is counted once.
TEST_F(PersistenceEndToEnd, LogsTheWindowsAboveAndCountsEveryRunToItsEnd)
{
    ASSERT_TRUE(start()) << "Uravik did not start its clock";
    HWND peer = makePeerWindow();
    const auto logHolds = [&](const std::string& text) {
        return waitUntil([&] { return read("ytime.dab").find(text) != std::string::npos; });
    };

    // Above once: the record of the time before, named by Windows' start.
    bringToTop(peer);
    EXPECT_TRUE(logHolds("    WINDOWS\r\n")) << read("ytime.dab");
    settle(1500);
    // Uravik on top names the peer's period; the peer above again names the
    // time nothing lay above.
    bringToTop(window);
    const std::string peerLine = std::string("    ") + peerTitle + "\r\n";
    EXPECT_TRUE(logHolds(peerLine)) << read("ytime.dab");
    bringToTop(peer);
    EXPECT_TRUE(logHolds("    ?\r\n")) << read("ytime.dab");
    EXPECT_EQ(uravik->closeAndWait(window), 0);
    // Closing records the period that was under way, named by the window above.
    EXPECT_THAT(read("ytime.dab"), EndsWith(peerLine));
    DestroyWindow(peer);

    EXPECT_THAT(read("ysave.dab"), AllOf(StartsWith("57   =Uppstarter\r\n"),
                                         HasSubstr("\r\n1205   =Applikationer totalt\r\n")));
    const long firstTotal = savedTotal();
    EXPECT_GT(firstTotal, sampleTotal) << read("ysave.dab");

    // A backup or a virus scanner holds ysave.dab for two seconds while
    // Uravik starts again: it waits, and the totals go on from the file's.
    HANDLE held =
        CreateFileA(path("ysave.dab").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    uravik = std::make_unique<UravikProcess>(uravikExe(), dir);
    Sleep(2000);
    CloseHandle(held);
    window = uravik->waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(window, nullptr);
    settle(3000);
    EXPECT_EQ(uravik->answerBoxes(), "");
    // Sleep ends the run as the session's end does, and waking takes it up.
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_GE(savedTotal(), firstTotal + 3);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    settle(1000);
    uravik->endSessionAndKill(window);
    EXPECT_THAT(read("ysave.dab"), StartsWith("58   =Uppstarter\r\n"));
    EXPECT_GE(savedTotal(), firstTotal + 4) << read("ysave.dab");
    // Asleep the record names Windows' start, the first period's name; awake
    // the one more, the window above (none).
    const std::string written = read("ytime.dab");
    const std::string records =
        written.substr(written.find("\r\n", written.find("Uppstart nr=  58 ")) + 2);
    EXPECT_THAT(records, MatchesRegex(".*    WINDOWS\r\n.*    \\?\r\n")) << written;
    EXPECT_EQ(read("ysave.old"), "");
}

// Wine run by root writes through the read-only attribute, so the build
// prepares a folder whose ysave.dab carries the attribute and, where the
// system allows, cannot be written even by root.
TEST_F(PersistenceEndToEnd, AReadOnlyStateFileIsReportedOnceAndKeptWhole)
{
    const std::string prepared = fromEnvironment("URAVIK_READ_ONLY_STATE_DIR", "");
    if (prepared.empty())
        GTEST_SKIP() << "no prepared folder (run through ctest)";
    dir = "Z:" + prepared;
    const std::string before = read("ysave.dab");
    ASSERT_FALSE(before.empty());
    write("ytime.dab", "");

    // A window change saves, and so does the close; each box is answered.
    ASSERT_TRUE(startAnswering());
    bringToTop(makePeerWindow());
    answerUntil(2000);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    answerUntil(5000, [&] { return uravik->exitCodeWithin(0) != -1; });
    EXPECT_EQ(uravik->exitCodeWithin(0), 0);
    // The start-up box's ticks already try to save: the two boxes may be
    // open at the same time.
    EXPECT_THAT(answered, AnyOf("FILFEL,FELMEDDELANDE", "FELMEDDELANDE,FILFEL"));
    EXPECT_EQ(read("ysave.dab"), before);
    EXPECT_EQ(read("ysave.tmp"), "") << "no temporary file is left";

    // Its first failed save at the session's end shows no box that would hold
    // up the log-off.
    ASSERT_TRUE(startAnswering());
    settle(500);
    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                                  &result),
              0)
        << "the end of the session was held up by " << uravik->answerBoxes(true);
    EXPECT_EQ(uravik->answerBoxes(), "");
    uravik->endSessionAndKill(window);
    EXPECT_EQ(read("ysave.dab"), before);
}

}  // namespace
