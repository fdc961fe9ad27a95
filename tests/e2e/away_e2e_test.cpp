// uravik.exe noting the time nobody was at the computer in yborta.dab, and
// leaving a sleep out of the run: left idle until the mouse moves over it,
// told of a lock and a sleep as the system tells it, and outliving the end
// of its session.

#include <wtsapi32.h>

#include "companions/engine/away_periods.h"
#include "companions/engine/calendar.h"

#include "tests/e2e/e2e_session.h"

namespace {

using ::testing::Ge;
using ::testing::Le;

// Moves the mouse as a user's hand would: through the X server, which Wine
// takes for real input. The moves are done a moment later (a Unix program
// comes without a process handle to wait on).
void moveMouseOver(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    UravikProcess xdotool(L"Z:\\usr\\bin\\xdotool", L"Z:\\",
                          L"mousemove " + std::to_wstring((rect.left + rect.right) / 2) + L" " +
                              std::to_wstring((rect.top + rect.bottom) / 2) +
                              L" sleep 0.2 mousemove_relative 5 0");
    ASSERT_TRUE(xdotool.started()) << "xdotool is needed (scripts/setup.sh installs it)";
}

using AwayEndToEnd = Session;

TEST_F(AwayEndToEnd, NoInputForTheLimitIsOneIdlePeriodFromTheStartUntilTheMouseMoves)
{
    write("uravik.ini", "[Borta]\r\nMinuter=1\r\n");
    // Now on the local clock, as the companions date the lines of yborta.dab.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::int64_t started = uvlog::momentOf(
        {now.wYear, now.wMonth, now.wDay}, now.wHour * 3600u + now.wMinute * 60u + now.wSecond);
    ASSERT_TRUE(start());
    settle(75'000);
    EXPECT_EQ(read("yborta.dab"), "") << "written when the input comes";
    moveMouseOver(window);
    settle(2000);
    EXPECT_EQ(uravik->closeAndWait(window), 0);
    // The lines as the companions read them; the file's exact layout is the
    // native tests' to check, and a line they cannot read is missing here.
    const std::vector<uvlog::AwayPeriod> lines = uvlog::parseAwayPeriods(read("yborta.dab")).lines;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].cause, "inaktiv");
    EXPECT_LE(lines[0].begin - started, 5) << "the whole gap counts, from the run's start";
    EXPECT_THAT(lines[0].end - lines[0].begin, AllOf(Ge(60), Le(85)));
}

// Locked for 3 s, then asleep for 8 s: one line each, one after the other,
// and the total grows by the run without the sleep.
TEST_F(AwayEndToEnd, ALockAndASleepAreNotedAndTheSleepIsNotCounted)
{
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(start());
    settle(1000);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    settle(3000);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    settle(1000);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    settle(8000);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    settle(1000);
    EXPECT_EQ(uravik->closeAndWait(window), 0);
    const long ran = static_cast<long>((GetTickCount64() - started) / 1000);

    const std::vector<uvlog::AwayPeriod> lines = uvlog::parseAwayPeriods(read("yborta.dab")).lines;
    ASSERT_EQ(lines.size(), 2u) << read("yborta.dab");
    EXPECT_EQ(lines[0].cause, "l\xE5st");
    EXPECT_EQ(lines[1].cause, "vila");
    EXPECT_NEAR(lines[0].end - lines[0].begin, 3, 1);
    EXPECT_NEAR(lines[1].begin - lines[0].end, 1, 1);
    EXPECT_NEAR(lines[1].end - lines[1].begin, 8, 1);
    // The run began up to a few seconds after `started`.
    EXPECT_THAT(savedTotal() - sampleTotal, AllOf(Ge(ran - 14), Le(ran - 7)))
        << "the sleep is left out";
}

// An installer's restart request ends the session but not the process:
// after a while it records again, and its close saves the whole run.
TEST_F(AwayEndToEnd, ARunThatOutlivesTheEndOfItsSessionGoesOn)
{
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(start());
    settle(1000);
    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    settle(7000);
    HWND peer = makePeerWindow();
    bringToTop(peer);
    settle(2000);
    bringToTop(window);
    settle(1000);
    EXPECT_EQ(uravik->closeAndWait(window), 0);
    DestroyWindow(peer);
    const long ran = static_cast<long>((GetTickCount64() - started) / 1000);

    EXPECT_THAT(read("ytime.dab"), HasSubstr(std::string("    ") + peerTitle + "\r\n"));
    EXPECT_THAT(savedTotal() - sampleTotal, AllOf(Ge(ran - 5), Le(ran)))
        << "the whole run is counted";
}

}  // namespace
