// Summing the log up: titles, days, runs, time on line, and the "WINDOWS"
// record that is not time in a window.

#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "companions/engine/log_statistics.h"
#include "companions/testing/sample_log.h"

namespace {

using uvlog::CalendarDate;
using uvlog::LogStatistics;
using uvlog::ParsedLog;

std::string record(std::uint64_t number, std::uint64_t runSeconds, std::uint64_t period,
                   const std::string& title, bool online = false)
{
    return uvlog::sampleRecordLine(number, runSeconds, 1000 + runSeconds, 0, period, online,
                                   title) +
           "\r\n";
}

std::string runStartingAt(CalendarDate day, std::uint32_t start, std::uint64_t startup)
{
    return uvlog::sampleHeaderLines(day, start, startup);
}

LogStatistics summarise(const std::string& text, CalendarDate today = {2024, 3, 7})
{
    const ParsedLog log = uvlog::parseLog(text);
    return uvlog::summariseLogs({&log}, today);
}

const uvlog::DayTime& dayOf(const LogStatistics& stats, CalendarDate date)
{
    for (const uvlog::DayTime& day : stats.days) {
        if (day.date == date)
            return day;
    }
    throw std::out_of_range("day not in range");
}

TEST(LogStatistics, TitlesAreSummedLargestFirstWithoutTheSystemStartRecord)
{
    const LogStatistics stats =
        summarise(runStartingAt({2024, 3, 7}, 8 * 3600, 5) + record(1, 0, 500, "WINDOWS") +
                  record(2, 60, 60, "B") + record(3, 100, 40, "A") + record(4, 120, 20, "A") +
                  record(5, 180, 60, "C") + record(6, 200, 20, "WINDOWS", true));
    ASSERT_EQ(stats.titles.size(), 4u);
    EXPECT_EQ(stats.titles[0].title, "A");  // 60, ties broken by title
    EXPECT_EQ(stats.titles[0].seconds, 60u);
    EXPECT_EQ(stats.titles[0].periods, 2u);
    EXPECT_EQ(stats.titles[1].title, "B");
    EXPECT_EQ(stats.titles[2].title, "C");
    EXPECT_EQ(stats.titles[3].title, "WINDOWS") << "a later window of that name is a window";
    EXPECT_EQ(stats.titles[3].seconds, 20u);
    EXPECT_EQ(stats.beforeStartSeconds, 500u);
    EXPECT_EQ(stats.windowSeconds, 200u);
    EXPECT_EQ(stats.onlineSeconds, 20u);
    EXPECT_EQ(stats.recordCount, 6u);
    EXPECT_EQ(stats.latestTotalSeconds, 1200u);
}

TEST(LogStatistics, RunsGiveStartupsLongestAverageAndRunningTime)
{
    const LogStatistics stats =
        summarise(runStartingAt({2024, 3, 5}, 8 * 3600, 1) + record(1, 0, 10, "WINDOWS") +
                  record(2, 3600, 3600, "A") + runStartingAt({2024, 3, 6}, 8 * 3600, 2) +
                  runStartingAt({2024, 3, 7}, 8 * 3600, 3) + record(1, 0, 10, "WINDOWS") +
                  record(2, 600, 600, "B") + "skr\xE4p\r\n");
    EXPECT_EQ(stats.startupCount, 3u);
    EXPECT_EQ(stats.longestRunSeconds, 3600u);
    EXPECT_EQ(stats.runningSeconds, 4200u);
    EXPECT_EQ(stats.averageRunSeconds, 1400u) << "the run with only its header counts as 0";
    EXPECT_EQ(stats.rawLineCount, 1u);
}

TEST(LogStatistics, DaysCoverTheLastThirtyAndSplitAtMidnight)
{
    const LogStatistics stats = summarise(
        runStartingAt({2024, 3, 5}, 23 * 3600, 1) + record(1, 0, 10, "WINDOWS") +
        record(2, 7200, 7200, "A") +                                              // 1 h + 1 h
        runStartingAt({2024, 2, 7}, 12 * 3600, 2) + record(2, 100, 100, "A") +    // 30 days ago
        runStartingAt({2024, 2, 6}, 23 * 3600, 3) + record(2, 7200, 7200, "A") +  // half inside
        runStartingAt({2024, 3, 8}, 0, 4) + record(2, 50, 50, "A") +              // tomorrow
        runStartingAt({2024, 3, 7}, 86399, 5) + record(2, 1, 1, "A"));            // last second
    ASSERT_EQ(stats.days.size(), 30u);
    EXPECT_EQ(stats.days.front().date, (CalendarDate{2024, 2, 7}));
    EXPECT_EQ(stats.days.back().date, (CalendarDate{2024, 3, 7}));
    EXPECT_EQ(dayOf(stats, {2024, 3, 5}).seconds, 3600u);
    EXPECT_EQ(dayOf(stats, {2024, 3, 6}).seconds, 3600u);
    EXPECT_EQ(dayOf(stats, {2024, 3, 7}).seconds, 1u);
    EXPECT_EQ(dayOf(stats, {2024, 2, 7}).seconds, 100u + 3600u);
    EXPECT_EQ(dayOf(stats, {2024, 2, 29}).seconds, 0u) << "leap day present and empty";
    const std::uint64_t all = std::accumulate(
        stats.days.begin(), stats.days.end(), std::uint64_t{0},
        [](std::uint64_t sum, const uvlog::DayTime& day) { return sum + day.seconds; });
    EXPECT_EQ(all, 3600u + 3600u + 1u + 3700u);
}

TEST(LogStatistics, AnAbsurdRunTimeCostsNoMoreThanTheDaysItCanFill)
{
    const LogStatistics stats =
        summarise(runStartingAt({2000, 1, 1}, 0, 1) +
                  "             1999999999999999999999:00:01       312:05:49        08:17:14"
                  "           0:03:12    A\r\n");
    for (const uvlog::DayTime& day : stats.days)
        EXPECT_EQ(day.seconds, 86400u);
    EXPECT_EQ(stats.runningSeconds, ~std::uint64_t{0});
}

TEST(LogStatistics, TheHistoryAndTheLogAreSummedTogetherInOrder)
{
    const ParsedLog history =
        uvlog::parseLog("HISTORIA\r\n" + runStartingAt({2024, 3, 1}, 3600, 1) +
                        record(1, 0, 5, "WINDOWS") + record(2, 30, 30, "A"));
    const ParsedLog log = uvlog::parseLog(runStartingAt({2024, 3, 7}, 3600, 2) +
                                          record(1, 0, 5, "WINDOWS") + record(2, 40, 40, "A"));
    const LogStatistics stats = uvlog::summariseLogs({&history, &log}, {2024, 3, 7});
    EXPECT_EQ(stats.startupCount, 2u);
    ASSERT_EQ(stats.titles.size(), 1u);
    EXPECT_EQ(stats.titles[0].seconds, 70u);
    EXPECT_EQ(stats.latestTotalSeconds, 1040u);
    EXPECT_EQ(stats.beforeStartSeconds, 10u);
}

TEST(LogStatistics, InASampleLogTheWindowsAddUpToTheRunningTime)
{
    uvlog::SampleLogPlan plan;
    plan.runs = 40;
    plan.recordsPerRun = 120;
    const LogStatistics stats = summarise(uvlog::makeSampleLog(plan), plan.lastDay);
    EXPECT_EQ(stats.startupCount, 40u);
    EXPECT_EQ(stats.recordCount, 40u * 120);
    std::uint64_t titled = 0;
    for (const uvlog::TitleTime& title : stats.titles)
        titled += title.seconds;
    EXPECT_EQ(titled, stats.runningSeconds);
    EXPECT_EQ(titled, stats.windowSeconds);
    for (std::size_t i = 1; i < stats.titles.size(); ++i)
        EXPECT_GE(stats.titles[i - 1].seconds, stats.titles[i].seconds);
}

}  // namespace
