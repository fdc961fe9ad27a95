#include <chrono>

#include "app/window_title.h"
#include "tests/unit/persistence_fixture.h"

namespace {

using namespace std::chrono_literals;

// Starts a run at `startTick` with the saved total h:m:s, lets `elapsed`
// pass and returns the run text and the total's parts.
std::string after(std::chrono::milliseconds elapsed, int h = 0, int m = 0, int s = 0,
                  std::uint64_t startTick = 5'000'000)
{
    clockState = ClockState{};
    PersistenceTest::startRun(startTick);
    setSavedTotals(h, m, s);
    PersistenceTest::runFor(elapsed.count());
    return std::string(clockState.runText) + " " + clockState.totalHoursText + "," +
           clockState.totalMinutesText + "," + clockState.totalSecondsText;
}

using Counters = FreshState;

TEST_F(Counters, RunAndTotalCarryIntoMinutesAndHoursButNeverDays)
{
    EXPECT_EQ(after(59'999ms), "0:00:59 0,0,59");
    EXPECT_EQ(after(1min), "0:01:00 0,1,0");
    EXPECT_EQ(runTimeTitle(false), "Uravik 0:01:00");
    EXPECT_EQ(runTimeTitle(true), "Internet nu 0:01:00");
    EXPECT_EQ(after(7min + 3s), "0:07:03 0,7,3");
    EXPECT_STREQ(clockState.runMinutesText, "7");
    EXPECT_EQ(after(25h), "25:00:00 25,0,0");
    EXPECT_EQ(after(30s, 0, 0, 30), "0:00:30 0,1,0");
    EXPECT_EQ(after(45s, 0, 59, 30), "0:00:45 1,0,15");
    EXPECT_EQ(clockState.totalHoursLen + clockState.totalMinutesLen, 2);
    EXPECT_EQ(clockState.totalSecondsLen, 2);
    EXPECT_EQ(after(59min + 59s + 500ms, 10, 59, 59), "0:59:59 11,59,58");
    // A hand-edited seconds total above 59 loses only one minute.
    EXPECT_EQ(after(59s, 0, 0, 99), "0:00:59 0,2,98");
    // 1440 hours (60 days) is past the 49.7 days after which a 32-bit count wraps.
    EXPECT_EQ(after(1440h + 5s, 312, 5, 48), "1440:00:05 1752,5,53");
    EXPECT_EQ(after(1s, 0, 0, 0, (1ull << 32) - 296), "0:00:01 0,0,1");
}

TEST_F(Counters, YearsSince1900Below95CountFrom2000)
{
    const std::pair<int, const char*> years[] = {{94, "2094"}, {95, "1995"}, {124, "2024"}};
    for (const auto& [yearsSince1900, expected] : years) {
        fakeHost.calendar.yearsSince1900 = yearsSince1900;
        captureDateTime();
        EXPECT_STREQ(clockState.nowYearText, expected) << yearsSince1900;
    }
}

}  // namespace
