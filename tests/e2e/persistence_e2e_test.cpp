// uravik.exe keeping its accounts: with a state file from earlier runs, a
// window is brought above Uravik's and the log and the state file are read
// back as the log reader and the next start-up would read them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

constexpr const char* peerTitle = "Uravik testf\xF6nster";

// Waits until the file holds `text`; returns its content then, or at the end.
std::string waitForText(const std::string& path, const std::string& text)
{
    std::string content;
    for (int wait = 0; (content = readFile(path)).find(text) == std::string::npos && wait < 50;
         ++wait)
        settle(100);
    return content;
}

// The first run logs the windows above and is closed; the second counts on
// from the saved state, has nothing above, sleeps and wakes, and ends with the
// session, killed right after as the system may do. Each end is counted once.
TEST(PersistenceEndToEnd, LogsTheWindowsAboveAndCountsEveryRunToItsEnd)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-persistence");
    const std::string state = dir + "\\ysave.dab";
    const std::string log = dir + "\\ytime.dab";
    writeFile(state, sampleState("\r\n"));
    writeFile(log, "");
    UravikProcess uravik(uravikExe(), dir);
    HWND window = uravik.waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(window, nullptr) << "Uravik did not start its clock";
    HWND peer = makePeerWindow(peerTitle);

    // Above once: the header and the record of the time before.
    bringToTop(peer);
    std::string written = waitForText(log, "    WINDOWS\r\n");
    EXPECT_NE(written.find(std::string(170, '=') + "\r\nWINDOWS START=  "), std::string::npos);
    EXPECT_NE(written.find("     Uppstart nr=  57        \r\n"), std::string::npos) << written;
    settle(1500);
    // Uravik on top names the peer's period; the peer above again names the
    // time nothing lay above.
    bringToTop(window);
    const std::string peerLine = std::string("    ") + peerTitle + "\r\n";
    EXPECT_NE(waitForText(log, peerLine).find(peerLine), std::string::npos);
    bringToTop(peer);
    EXPECT_NE(waitForText(log, "    ?\r\n").find("    ?\r\n"), std::string::npos);
    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    // Closing records the period that was under way, named by the window above.
    written = readFile(log);
    EXPECT_EQ(written.substr(written.size() - peerLine.size()), peerLine);
    DestroyWindow(peer);

    std::string saved = readFile(state);
    EXPECT_EQ(
        saved.rfind("57   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n", 0), 0u)
        << saved;
    const long firstTotal = totalSeconds(saved);
    EXPECT_GT(firstTotal, 312 * 3600 + 5 * 60 + 48) << saved;
    EXPECT_NE(saved.find("\r\n1205   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n"),
              std::string::npos)
        << saved;

    UravikProcess second(uravikExe(), dir);
    window = second.waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(window, nullptr);
    settle(3000);
    // Sleep ends the run as the session's end does, and waking takes it up.
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_GE(totalSeconds(readFile(state)), firstTotal + 3);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    settle(1000);
    second.endSessionAndKill(window);
    saved = readFile(state);
    EXPECT_EQ(saved.rfind("58   =Uppstarter\r\n", 0), 0u) << saved;
    EXPECT_GE(totalSeconds(saved), firstTotal + 4) << saved;
    written = readFile(log);
    EXPECT_NE(written.find("     Uppstart nr=  58        \r\n"), std::string::npos) << written;
    // Asleep the record names Windows' start, the first period's name; awake
    // the one more, the window above (none).
    const std::size_t asleep = written.find("    WINDOWS\r\n", written.find("Uppstart nr=  58"));
    ASSERT_NE(asleep, std::string::npos) << written;
    const std::string awake = written.substr(asleep + 13);
    EXPECT_EQ(awake.find("\r\n"), awake.size() - 2) << written;
    EXPECT_EQ(written.substr(written.size() - 7), "    ?\r\n") << written;
    keepDataFiles(dir);
}

// A backup or a virus scanner holding ysave.dab for two seconds while
// Uravik starts: the totals go on from the held file's.
TEST(PersistenceEndToEnd, AStateFileHeldAtStartUpIsWaitedForAndCountedOn)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-held-state");
    const std::string state = dir + "\\ysave.dab";
    writeFile(state, sampleState("\r\n"));
    writeFile(dir + "\\ytime.dab", "");
    HANDLE held = CreateFileA(state.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    UravikProcess uravik(uravikExe(), dir);
    Sleep(2000);
    CloseHandle(held);
    HWND window = uravik.waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(window, nullptr);
    settle(500);
    EXPECT_EQ(answerMessageBoxes(uravik.processId()), "");
    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    const std::string saved = readFile(state);
    EXPECT_EQ(saved.rfind("57   =Uppstarter\r\n312   =Timmar totalt\r\n", 0), 0u) << saved;
    EXPECT_EQ(readFile(dir + "\\ysave.old"), "");
    keepDataFiles(dir);
}

// Wine run by root writes through the read-only attribute, so the build
// prepares a folder whose ysave.dab carries the attribute and, where the
// system allows, cannot be written even by root.
TEST(PersistenceEndToEnd, AReadOnlyStateFileIsReportedOnceAndKeptWhole)
{
    const std::string prepared = fromEnvironment("URAVIK_READ_ONLY_STATE_DIR", "");
    if (prepared.empty())
        GTEST_SKIP() << "no prepared folder (run through ctest)";
    const std::string dir = "Z:" + prepared;
    const std::string before = readFile(dir + "\\ysave.dab");
    ASSERT_FALSE(before.empty());
    writeFile(dir + "\\ytime.dab", "");

    // A window change saves, and so does the close; each box is answered.
    UravikProcess uravik(uravikExe(), dir);
    std::vector<std::string> answered;
    const auto answer = [&] {
        settle(200);
        const std::string captions = answerMessageBoxes(uravik.processId());
        if (!captions.empty())
            answered.push_back(captions);
    };
    HWND window = nullptr;
    for (int wait = 0; wait < 100 && !(window = uravik.waitForMainWindow(runsItsClock, 0)); ++wait)
        answer();
    ASSERT_NE(window, nullptr);
    bringToTop(makePeerWindow(peerTitle));
    for (int wait = 0; wait < 10; ++wait)
        answer();
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    for (int wait = 0; wait < 25 && uravik.exitCodeWithin(0) == -1; ++wait)
        answer();
    EXPECT_EQ(uravik.exitCodeWithin(0), 0);
    // The start-up box's ticks already try to save: the two boxes may be
    // open at the same time.
    std::string captions;
    for (const std::string& some : answered)
        captions += (captions.empty() ? "" : ",") + some;
    EXPECT_TRUE(captions == "FILFEL,FELMEDDELANDE" || captions == "FELMEDDELANDE,FILFEL")
        << captions;
    EXPECT_EQ(readFile(dir + "\\ysave.dab"), before);
    EXPECT_EQ(readFile(dir + "\\ysave.tmp"), "") << "no temporary file is left";

    // Its first failed save at the session's end shows no box that would hold
    // up the log-off.
    UravikProcess again(uravikExe(), dir);
    window = nullptr;
    for (int wait = 0; wait < 100 && !(window = again.waitForMainWindow(runsItsClock, 0)); ++wait) {
        settle(200);
        answerMessageBoxes(again.processId());
    }
    ASSERT_NE(window, nullptr);
    settle(500);
    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                                  &result),
              0)
        << "the end of the session was held up by " << answerMessageBoxes(again.processId(), true);
    EXPECT_EQ(answerMessageBoxes(again.processId()), "");
    again.endSessionAndKill(window);
    EXPECT_EQ(readFile(dir + "\\ysave.dab"), before);
}

}  // namespace
