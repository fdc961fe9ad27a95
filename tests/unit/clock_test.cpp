#include <cstdint>
#include <string>

#include "tests/unit/fresh_state.h"

namespace {

constexpr std::uint64_t second = 1000;
constexpr std::uint64_t minute = 60 * second;
constexpr std::uint64_t hour = 60 * minute;
constexpr std::uint64_t day = 24 * hour;

class Counters : public FreshState {
protected:
    // Starts the run at a tick far from zero and lets `elapsed` pass.
    void runFor(std::uint64_t elapsed, int savedH = 0, int savedM = 0, int savedS = 0)
    {
        fakeHost.tick = 5'000'000;
        captureDateTime();
        clockState.savedHours = savedH;
        clockState.savedMinutes = savedM;
        clockState.savedSeconds = savedS;
        fakeHost.tick += elapsed;
        updateCounters();
    }
    std::string total() const
    {
        return std::string(clockState.totalHoursText) + "," + clockState.totalMinutesText + "," +
               clockState.totalSecondsText;
    }
};

TEST_F(Counters, RunTextCarriesIntoMinutesAndHours)
{
    runFor(59'999);
    EXPECT_STREQ(clockState.runText, "0:00:59");
    runFor(60'000);
    EXPECT_STREQ(clockState.runText, "0:01:00");
    EXPECT_STREQ(clockState.titleText, "Uravik 0:01:00");
    EXPECT_EQ(clockState.runTextLen, 7);
    runFor(hour);
    EXPECT_STREQ(clockState.runText, "1:00:00");
}

TEST_F(Counters, PartsKeepTheirPlainFormAndTheRunTextPads)
{
    runFor(7 * minute + 3 * second);
    EXPECT_STREQ(clockState.runMinutesText, "7");
    EXPECT_STREQ(clockState.runSecondsText, "3");
    EXPECT_STREQ(clockState.runText, "0:07:03");
    EXPECT_STREQ(clockState.titleText, "Uravik 0:07:03");
}

TEST_F(Counters, HoursAreNeverFoldedIntoDays)
{
    runFor(25 * hour);
    EXPECT_STREQ(clockState.runText, "25:00:00");
}

TEST_F(Counters, ARunLongerThanTheOld32BitTickCountKeepsCounting)
{
    // 60 days is past the 49.7 days after which a 32-bit count wraps.
    runFor(60 * day + 5 * second, 312, 5, 48);
    EXPECT_STREQ(clockState.runText, "1440:00:05");
    EXPECT_EQ(total(), "1752,5,53");
}

TEST_F(Counters, TickBaseNearTheOld32BitWrap)
{
    fakeHost.tick = 4'294'967'296ULL - 296;
    captureDateTime();
    fakeHost.tick = 4'294'967'296ULL + 704;
    updateCounters();
    EXPECT_STREQ(clockState.runText, "0:00:01");
}

TEST_F(Counters, TotalsCarrySecondsIntoMinutesIntoHours)
{
    runFor(45 * second, 0, 59, 30);
    EXPECT_EQ(total(), "1,0,15");
    EXPECT_EQ(clockState.totalHoursLen, 1);
    EXPECT_EQ(clockState.totalMinutesLen, 1);
    EXPECT_EQ(clockState.totalSecondsLen, 2);

    runFor(59 * minute + 59 * second + 500, 10, 59, 59);
    EXPECT_EQ(total(), "11,59,58");
}

TEST_F(Counters, HandEditedSecondsLoseOnlyOneMinute)
{
    runFor(59 * second, 0, 0, 99);
    EXPECT_STREQ(clockState.totalSecondsText, "98");
}

TEST_F(Counters, LengthsStayZeroUntilTheFirstUpdate)
{
    captureDateTime();
    EXPECT_EQ(clockState.runTextLen, 0);
    EXPECT_EQ(clockState.totalHoursLen, 0);
    EXPECT_STREQ(clockState.runText, "");
}

class Calendar : public FreshState {};

TEST_F(Calendar, YearsBefore95AreTakenAsThisCentury)
{
    const std::pair<int, const char*> cases[] = {{94, "2094"}, {95, "1995"}, {124, "2024"}};
    for (const auto& [yearsSince1900, expected] : cases) {
        clockState = ClockState{};
        fakeHost.calendar.yearsSince1900 = yearsSince1900;
        captureDateTime();
        EXPECT_STREQ(clockState.nowYearText, expected) << yearsSince1900;
    }
}

TEST_F(Calendar, PartsArePlainDecimalAndTheFirstCaptureIsFrozen)
{
    fakeHost.calendar = {124, 2, 7, 8, 5, 9};
    fakeHost.tick = 1234;
    captureDateTime();
    EXPECT_STREQ(clockState.nowMonthText, "3");
    EXPECT_STREQ(clockState.nowDayText, "7");
    EXPECT_STREQ(clockState.nowMinuteText, "5");
    EXPECT_STREQ(clockState.startSecondText, "9");

    fakeHost.calendar = {124, 11, 31, 23, 59, 58};
    fakeHost.tick = 99999;
    captureDateTime();
    EXPECT_STREQ(clockState.nowMonthText, "12");
    EXPECT_STREQ(clockState.nowHourText, "23");
    EXPECT_STREQ(clockState.startMonthText, "3");
    EXPECT_STREQ(clockState.startHourText, "8");
    EXPECT_EQ(clockState.startTick, 1234u);
}

}  // namespace
