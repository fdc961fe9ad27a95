// The times away noted in yborta.dab, and a run that pauses: the sleep left
// out of the run's time, a wake or a missed sleep seen by the tick, and a
// process that outlives the end of its session.

#include <gmock/gmock.h>

#include "app/run_pause.h"
#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/away_time.h"

namespace format = data_file_format;

namespace {

constexpr std::uint64_t startTick = 1'000'000;

// A run that starts at 12:00:00 on 2024-03-07, with the calendar running
// with the tick; nothing lies above Uravik's window.
class AwayTime : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        writeFile(format::stateFileName, sampleState());
        writeFile(format::logFileName, "");
        // 2024-03-07 12:00:00 UTC at startTick.
        fakeHost.calendarAtTickZero = 1'709'812'800 - static_cast<long long>(startTick / 1000);
        startUp(startTick);  // with no limit set
    }

    // The tick `seconds` into the run.
    static std::uint64_t at(double seconds)
    {
        return startTick + static_cast<std::uint64_t>(seconds * 1000);
    }

    // Ticks on until `seconds` into the run.
    static void tickUntil(double seconds)
    {
        while (fakeHost.tick + 100 <= at(seconds))
            ticks(1);
    }
};

TEST_F(AwayTime, TheLimitComesFromTheSettingsOrFallsBackToFiveMinutes)
{
    const std::pair<const char*, int> cases[] = {
        {"1", 1},     {" 30 ", 30}, {"0", 0},     {"1440", 1440}, {"1441", 5},
        {"-3", 5},    {"abc", 5},   {"7 min", 5}, {"+7", 5},      {"99999999999999999999", 5},
        {"00010", 10}};
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(awayLimitMinutes(text), minutes) << text;

    EXPECT_EQ(away.limitMinutes, 5) << "none set";

    // At 0 nothing is noted, and a sleep is left out all the same.
    fakeHost.settings["uravik.ini/Borta/Minuter"] = "0";
    startUp(startTick);
    tickUntil(600);
    noteLocked(true);
    noteLocked(false);
    suspendRun();
    fakeHost.tick += 60'000;
    resumeRun();
    endRun();
    EXPECT_FALSE(exists(format::awayFileName));
    EXPECT_STREQ(clockState.runText, "0:10:00");
}

TEST_F(AwayTime, IdleFromTheLastInputUntilTheNextOnceTheLimitIsReached)
{
    fakeHost.lastInput = at(30);
    tickUntil(325);  // input again 5 s before the limit: not away
    fakeHost.lastInput = at(325);
    tickUntil(600);
    EXPECT_FALSE(exists(format::awayFileName));
    tickUntil(1200);  // away since 12:05:25; the line waits for the input
    EXPECT_FALSE(exists(format::awayFileName));
    fakeHost.lastInput = at(1200.4);
    tickUntil(1203);
    endRun();
    EXPECT_EQ(readFile(format::awayFileName),
              "2024-03-07 12:05:25  2024-03-07 12:20:00  inaktiv\n");
}

// Idle since before the run, then locked, asleep an hour (the machine still
// locked when it wakes), unlocked and left idle until the window closes.
TEST_F(AwayTime, CausesFollowOneAnotherWithoutGapOrOverlapToTheEndOfTheRun)
{
    fakeHost.settings["uravik.ini/Borta/Minuter"] = "1";
    startUp(startTick);
    fakeHost.windowAbove = 11;
    fakeHost.titles[11] = "Anteckningar";
    tickUntil(300.9);  // a moment dated once: both lines say 12:05:00
    noteLocked(true);
    tickUntil(600);
    suspendRun();
    fakeHost.tick += 3'600'000;
    resumeRun();
    tickUntil(4260);
    noteLocked(false);
    tickUntil(4500);
    endRun();
    EXPECT_EQ(readLines(format::awayFileName),
              (std::vector<std::string>{"2024-03-07 12:00:00  2024-03-07 12:05:00  inaktiv",
                                        "2024-03-07 12:05:00  2024-03-07 12:10:00  låst",
                                        "2024-03-07 12:10:00  2024-03-07 13:10:00  vila",
                                        "2024-03-07 13:10:00  2024-03-07 13:11:00  låst",
                                        "2024-03-07 13:11:00  2024-03-07 13:15:00  inaktiv"}));
    // The run counts 15 minutes; the record at the end, the 5 since waking.
    EXPECT_STREQ(clockState.runText, "0:15:00");
    EXPECT_THAT(readFile(format::logFileName), ::testing::EndsWith("0:05:00    Anteckningar\n"));
}

// Without a resume message the tick takes the run up again: after a pause
// between ticks that only a sleep explains, or once ticks went on too long
// for the sleep to have come.
TEST_F(AwayTime, TheTickTakesUpARunThatWokeOrNeverSlept)
{
    fakeHost.lastInput = at(0);
    tickUntil(10);
    suspendRun();
    tickUntil(12);
    fakeHost.tick = at(7212);
    ticks(1);
    EXPECT_FALSE(shell.runEnded);
    updateCounters();
    EXPECT_STREQ(clockState.runText, "0:00:12");

    fakeHost.lastInput = fakeHost.tick;
    suspendRun();
    tickUntil(7242);
    EXPECT_TRUE(shell.runEnded);
    ticks(1);
    EXPECT_FALSE(shell.runEnded);
    updateCounters();
    EXPECT_STREQ(clockState.runText, "0:00:42") << "no sleep came: the time ran";
    endRun();
    EXPECT_EQ(readLines(format::awayFileName),
              std::vector<std::string>{"2024-03-07 12:00:10  2024-03-07 14:00:12  vila"});
}

// An installer's restart request ends the session but not the process.
TEST_F(AwayTime, ARunThatOutlivesItsSessionIsTakenUpAgain)
{
    fakeHost.titles = {{11, "Anteckningar"}, {12, "Kalkylator"}};
    fakeHost.windowAbove = 11;
    tickUntil(60);
    endRunWithSession();
    const std::string ended = readFile(format::logFileName);
    fakeHost.windowAbove = 12;
    tickUntil(64);
    EXPECT_EQ(readFile(format::logFileName), ended) << "not before it outlived the session";
    tickUntil(70);
    endRun();
    const std::string log = readFile(format::logFileName);
    ASSERT_THAT(log, ::testing::StartsWith(ended));
    EXPECT_THAT(log.substr(ended.size()),
                ::testing::AllOf(::testing::HasSubstr("0:00:05    Anteckningar\n"),
                                 ::testing::HasSubstr("0:00:05    Kalkylator\n")));
    EXPECT_TRUE(fakeHost.messages.empty());
}

}  // namespace
