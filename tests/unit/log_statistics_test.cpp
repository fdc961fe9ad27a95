// Summing the log up: titles, applications, categories, days, hours, runs,
// ranges and the time away, and the "WINDOWS" record that is not time in a
// window.

#include <gmock/gmock.h>

#include <fstream>
#include <numeric>
#include <string>
#include <tuple>

#include "companions/engine/away_periods.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_report.h"
#include "companions/engine/log_statistics.h"
#include "companions/engine/log_table.h"
#include "companions/engine/user_text_file.h"
#include "companions/testing/sample_log.h"
#include "tests/unit/persistence_fixture.h"

namespace {

using uvlog::Grouping;
using uvlog::LogStatistics;
using uvlog::ParsedLog;
using uvlog::sampleRun;

LogStatistics summarise(const std::string& text, uvlog::CalendarDate today)
{
    const ParsedLog log = uvlog::parseLog(text);
    return uvlog::summariseLogs({&log}, today);
}

using Times = std::vector<std::pair<std::string, std::uint64_t>>;

Times timesOf(const std::vector<uvlog::TitleTime>& rows)
{
    Times times;
    for (const uvlog::TitleTime& row : rows)
        times.emplace_back(row.title, row.seconds);
    return times;
}

// The seconds of each day (or title) row, in order.
template <class Rows>
std::vector<std::uint64_t> secondsOf(const Rows& rows)
{
    std::vector<std::uint64_t> seconds;
    for (const auto& row : rows)
        seconds.push_back(row.seconds);
    return seconds;
}

std::int64_t day(int year, int month, int dayOfMonth)
{
    return uvlog::daysFromCivil({year, month, dayOfMonth});
}

TEST(LogStatistics, TitlesAndRunsAreSummedWhicheverFileComesFirstAndInPieces)
{
    // The history: a run, then one with only its header. The log: a run
    // whose last window is itself named WINDOWS, and a line that is no record.
    const ParsedLog history = uvlog::parseLog(
        sampleRun({2024, 3, 5}, 8 * 3600, 1, {{0, 10, "WINDOWS"}, {3400, 3400, "D"}}) +
        sampleRun({2024, 3, 6}, 8 * 3600, 2, {}));
    const ParsedLog log = uvlog::parseLog(sampleRun({2024, 3, 7}, 8 * 3600, 3,
                                                    {{0, 500, "WINDOWS"},
                                                     {60, 60, "B"},
                                                     {100, 40, "A"},
                                                     {120, 20, "A"},
                                                     {180, 60, "C"},
                                                     {200, 20, "WINDOWS", true}}) +
                                          "skr\xE4p\r\n");
    for (const auto& files : {std::vector<const ParsedLog*>{&history, &log},
                              std::vector<const ParsedLog*>{&log, &history}}) {
        const LogStatistics stats = uvlog::summariseLogs(files, {2024, 3, 7});
        EXPECT_EQ(timesOf(stats.titles),
                  (Times{{"D", 3400}, {"A", 60}, {"B", 60}, {"C", 60}, {"WINDOWS", 20}}))
            << "ties broken by title; a later window named WINDOWS is a window";
        EXPECT_EQ(stats.titles[1].periods, 2u);
        // The window and on-line time, the records, the lines that are none,
        // the latest run's total, then the start-ups, the longest run, the
        // running time and the average run (a run with only its header is 0).
        EXPECT_EQ((std::vector<std::uint64_t>{
                      stats.windowSeconds, stats.onlineSeconds, stats.recordCount,
                      stats.rawLineCount, stats.latestTotalSeconds, stats.startupCount,
                      stats.longestRunSeconds, stats.runningSeconds, stats.averageRunSeconds}),
                  (std::vector<std::uint64_t>{3600, 20, 8, 1, 1200, 3, 3400, 3600, 1200}));
        // The run rows, the first run's start-up number and time from the
        // system's start, and the last run's own, not a later one's.
        EXPECT_EQ((std::vector<std::uint64_t>{stats.runs.size(), stats.runs.at(0).startupNumber,
                                              stats.runs[0].sinceSystemStartSeconds,
                                              stats.runs.at(2).sinceSystemStartSeconds}),
                  (std::vector<std::uint64_t>{3, 1, 10, 500}));
    }

    // A file read in pieces sums up as the whole text.
    // 60 runs of 250 records: several pieces, lines cut between them, and a
    // damaged stretch: one line of 3 MB, which the pieces end after 1 MB.
    const std::string sample = uvlog::makeSampleLog({{2024, 3, 7}, 60, 250});
    const std::size_t middle = sample.find('\n', sample.size() / 2) + 1;
    const std::string text = sample.substr(0, middle) + std::string(3 << 20, 'x') + "\r\n" +
                             sample.substr(middle) + "             1          0:00:01";
    const std::string path = scratchPath("ytime.dab");
    std::ofstream(path, std::ios::binary) << text;

    uvlog::LogSummariser summariser(uvlog::SummaryOptions{{2024, 3, 7}, {}, {}, {}});
    ASSERT_EQ(uvlog::summariseFile(path, summariser), uvlog::FileReading::read);
    const LogStatistics pieces = summariser.finish();
    const LogStatistics once = summarise(text, {2024, 3, 7});

    // Every record, and two lines that are none: the long line and the cut
    // last line.
    EXPECT_EQ(std::tuple(pieces.recordCount, pieces.rawLineCount), std::tuple(60u * 250, 2u));
    for (const Grouping grouping : {Grouping::title, Grouping::run})
        EXPECT_EQ(uvlog::tableCsv(pieces, grouping), uvlog::tableCsv(once, grouping));
}

// Three runs: 2023-12-31 23:00 for two hours (past midnight and the year's
// end), 2024-01-01 10:00 and 2024-01-03 10:00, each with its own "WINDOWS".
const ParsedLog threeRuns = uvlog::parseLog(
    sampleRun({2023, 12, 31}, 23 * 3600, 1,
              {{0, 300, "WINDOWS"},
               {1800, 1800, "Brev.txt - Anteckningar"},
               {7200, 5400, "Kalkyl - Budget - Kalkylprogram", true}}) +
    sampleRun(
        {2024, 1, 1}, 10 * 3600, 2,
        {{0, 40000, "WINDOWS"}, {600, 600, "Internetbanken - Webbl\xE4sare"}, {900, 300, "?"}}) +
    sampleRun({2024, 1, 3}, 10 * 3600, 3,
              {{0, 80000, "WINDOWS"}, {60, 60, "Nyheter - Webbl\xE4sare"}}));

TEST(LogStatistics, DaysAndRangesCountThePartOfEachPeriodInsideThemAcrossMidnightAndClockChanges)
{
    // From new year's day: the hour after midnight of the first run and the
    // day's own quarter of an hour, then the 3rd's minute.
    const LogStatistics thirty = uvlog::summariseLogs({&threeRuns}, {2024, 1, 30});
    ASSERT_EQ(secondsOf(thirty.days),
              (std::vector<std::uint64_t>{4500, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                          0,    0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(thirty.days.front().date, (uvlog::CalendarDate{2024, 1, 1}));
    EXPECT_EQ(thirty.days.back().date, (uvlog::CalendarDate{2024, 1, 30}));

    // An absurd run time costs no more than the days it can fill.
    const LogStatistics absurd =
        summarise(uvlog::sampleHeaderLines({2000, 1, 1}, 0, 1) +
                      "             1999999999999999999999:00:01       312:05:49        08:17:14"
                      "           0:03:12    A\r\n",
                  {2024, 3, 7});
    EXPECT_THAT(secondsOf(absurd.days), ::testing::Each(86400u));
    EXPECT_EQ(absurd.runningSeconds, ~std::uint64_t{0});

    // A range counts the part of each period inside it, as the day table does.
    const struct {
        const char* name;
        uvlog::DateRange range;
        // The start-ups, records, window time, running time and days, and the
        // day table's sum, which holds every day of the running time.
        std::vector<std::uint64_t> figures;
        uvlog::CalendarDate today = {2024, 1, 3};
    } cases[] = {
        {"all", {}, {3, 8, 8160, 8160, 3, 8160}},
        {"2023", {0, day(2023, 12, 31)}, {1, 3, 3600, 3600, 1, 3600}},
        {"new year's day", {day(2024, 1, 1), day(2024, 1, 1)}, {2, 4, 4500, 4500, 1, 4500}},
        {"from the 2nd", {day(2024, 1, 2), uvlog::DateRange{}.lastDay}, {1, 2, 60, 60, 1, 60}},
        {"nothing", {day(2024, 1, 2), day(2024, 1, 2)}, {0, 0, 0, 0, 0, 0}},
        {"a far end", {day(2024, 1, 1), day(2034, 12, 31)}, {3, 6, 4560, 4560, 2, 4560}},
        {"an old history", {}, {3, 8, 8160, 8160, 3, 8160}, {2040, 1, 1}},
    };
    for (const auto& c : cases) {
        const LogStatistics s = uvlog::summarise({&threeRuns}, {c.today, c.range, {}, {}});
        const std::vector<std::uint64_t> days = secondsOf(s.rangeDays);
        EXPECT_EQ((std::vector<std::uint64_t>{
                      s.startupCount, s.recordCount, s.windowSeconds, s.runningSeconds, days.size(),
                      std::accumulate(days.begin(), days.end(), std::uint64_t{0})}),
                  c.figures)
            << c.name;
    }
    const ParsedLog toMidnight = uvlog::parseLog(
        sampleRun({2024, 3, 5}, 23 * 3600, 1, {{0, 10, "WINDOWS"}, {3600, 3600, "A"}}));
    const LogStatistics nextDay =
        uvlog::summarise({&toMidnight}, {{2024, 3, 7}, {day(2024, 3, 6), day(2024, 3, 6)}, {}, {}});
    EXPECT_EQ(nextDay.recordCount + nextDay.startupCount + nextDay.titles.size(), 0u)
        << "a period ending at midnight lies wholly in the day before";

    // The clocks changing move no time to the wrong day or hour.
    // Spring: from 02:00 the clocks show 03:00. Autumn: from 03:00 they show
    // 02:00 again, so 2024-10-27 has 25 hours.
    const LogStatistics spring = summarise(sampleRun({2024, 3, 31}, 3600, 1,
                                                     {{0, 60, "WINDOWS"},
                                                      {3600, 3600, "A", false, 3 * 3600},
                                                      {9000, 5400, "B", false, 4 * 3600 + 1800}}),
                                           {2024, 3, 31});
    EXPECT_EQ(uvlog::runLastRecordText(spring.runs.at(0)), "2024-03-31 04:30:00");
    EXPECT_EQ(spring.hours, (decltype(spring.hours){0, 3600, 0, 3600, 1800}));

    const LogStatistics autumn = summarise(sampleRun({2024, 10, 26}, 20 * 3600, 2,
                                                     {{0, 60, "WINDOWS"},
                                                      {4 * 3600, 4 * 3600, "A"},
                                                      {29 * 3600, 25 * 3600, "B", false, 0},
                                                      {30 * 3600, 3600, "C", false, 3600}}),
                                           {2024, 10, 28});
    EXPECT_EQ(uvlog::runLastRecordText(autumn.runs.at(0)), "2024-10-28 01:00:00");
    EXPECT_THAT(secondsOf(autumn.rangeDays), ::testing::ElementsAre(4 * 3600, 25 * 3600, 3600));
    EXPECT_EQ(autumn.hours[2], 2u * 3600) << "the hour that came twice";
}

TEST(LogStatistics, ThePrivacyListInEveryEncodingHidesTitlesInApplicationsCategoriesAndRuns)
{
    uvlog::SummaryOptions options{{2024, 1, 3}, {}, uvlog::parsePrivacyList("*BANK*\r\n"), {}};
    options.categories = uvlog::parseCategoryList(
        "# KATEGORI = M\xD6NSTER, f\xF6rsta regeln som passar vinner\r\n"
        "Budget = *budget*\r\n"
        "Arbete=*Kalkyl*\r\n"
        "  Webb  =  *WEBBL\xC4SARE \r\n"
        "trasig rad utan likhetstecken\r\n"
        "Arbete = Brev.txt*\n");
    EXPECT_EQ(options.categories.names, (std::vector<std::string>{"Budget", "Arbete", "Webb"}));
    const LogStatistics stats = uvlog::summarise({&threeRuns}, options);
    EXPECT_EQ(timesOf(stats.applications), (Times{{"Kalkylprogram", 5400},
                                                  {"Anteckningar", 1800},
                                                  {"(dolt)", 600},
                                                  {"?", 300},
                                                  {"Webbl\xE4sare", 60}}));
    EXPECT_THAT(stats.titles, ::testing::Each(::testing::Field(
                                  &uvlog::TitleTime::title,
                                  ::testing::Not(::testing::HasSubstr("Internetbanken")))));
    EXPECT_EQ(uvlog::applicationOf("Slutar med - "), "Slutar med - ");
    EXPECT_EQ(timesOf(stats.categories),
              (Times{{"Budget", 5400}, {"Arbete", 1800}, {"Webb", 660}, {"(\xF6vrigt)", 300}}))
        << "the first rule that matches wins, and a hidden title keeps its category";

    // The first run's start, last record, start-up number, running time,
    // records and time on line.
    const uvlog::RunRow& first = stats.runs.at(0);
    EXPECT_EQ(
        std::tuple(uvlog::runStartText(first), uvlog::runLastRecordText(first), first.startupNumber,
                   first.runningSeconds, first.records, first.onlineSeconds),
        std::tuple("2023-12-31 23:00:00", "2024-01-01 01:00:00", 1u, 7200u, 3u, 5400u));
    // The report sets its values in one column after the labels.
    const std::string report = uvlog::statisticsReport(stats, true, Grouping::title, "");
    EXPECT_THAT(report, ::testing::HasSubstr("\nUppstarter:" + std::string(30, ' ') + "3\n"));

    // The privacy list: patterns match whole titles, with stars and no case.
    const uvlog::PrivacyList list = uvlog::parsePrivacyList(
        "# mina hemliga f\xF6nster\r\n  *Bank*  \r\n\r\nDagbok - *\nexakt\n*.\xC5\xC4\xD6\n");
    EXPECT_EQ(list.foldedPatterns.size(), 4u) << "comments and blank lines are skipped";
    for (const char* title :
         {"Internetbanken - Webbl\xE4sare", "BANK", "Dagbok - 7 mars", "Exakt", "a.\xE5\xE4\xF6"})
        EXPECT_TRUE(list.hides(title)) << title;
    for (const char* title : {"Min dagbok - 7 mars", "exakt.", "a.\xE5\xE4", ""})
        EXPECT_FALSE(list.hides(title)) << title;
    EXPECT_TRUE(uvlog::wildcardMatches("*", ""));
    EXPECT_TRUE(uvlog::wildcardMatches("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(uvlog::wildcardMatches("a*b*c", "aXcYb"));

    // The list is read in every encoding an editor saves.
    const std::string encodings[] = {
        "*n\xE4tbank*\r\n",
        "*n\xC3\xA4tbank*\r\n",
        "\xEF\xBB\xBF*n\xC3\xA4tbank*\r\n",
        std::string("\xFF\xFE*\0n\0\xE4\0t\0b\0a\0n\0k\0*\0\r\0\n\0", 24),
        std::string("\xFE\xFF\0*\0n\0\xE4\0t\0b\0a\0n\0k\0*\0\r\0\n", 24),
    };
    const std::string path = scratchPath("uvdolt.txt");
    for (const std::string& bytes : encodings) {
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_TRUE(uvlog::readPrivacyFile(path).hides("Min N\xC4TBANK - Webbl\xE4sare")) << bytes;
    }
    EXPECT_EQ(uvlog::windows1252FromUserText("\xE2\x82\xAC \xE4\xC3"), "\xE2\x82\xAC \xE4\xC3")
        << "not UTF-8: taken as Windows-1252";
    EXPECT_EQ(uvlog::windows1252FromUserText("\xE2\x82\xAC \xE2\x86\x92"), "\x80 ?");
}

// 08:00 to 10:00 in two windows, then 23:00 to 01:00 in one, with the away
// periods of the program's file: 08:50 to 09:20 straddles the change from A
// to B, 09:40 to 09:45 lies wholly in B, 23:30 to 00:30 crosses midnight.
const ParsedLog awayDay = uvlog::parseLog(
    sampleRun({2024, 3, 7}, 8 * 3600, 1,
              {{0, 10, "WINDOWS"}, {3600, 3600, "Brev - Ord"}, {7200, 3600, "Nyheter - Webb"}}) +
    sampleRun({2024, 3, 7}, 23 * 3600, 2, {{0, 10, "WINDOWS"}, {7200, 7200, "Kalkyl"}}));
const std::string awayLines =
    "2024-03-07 08:50:00  2024-03-07 09:20:00  inaktiv\r\n"
    "2024-03-07 09:40:00  2024-03-07 09:45:00  låst\r\n"
    "2024-03-07 23:30:00  2024-03-08 00:30:00  vila\r\n";

LogStatistics summariseAway(const std::string& away, uvlog::DateRange range = {})
{
    return uvlog::summarise(
        {&awayDay}, {{2024, 3, 8}, range, {}, {}, uvlog::allTables, uvlog::parseAwayPeriods(away)});
}

std::vector<std::string> column(const uvlog::StatisticsTable& table, std::size_t index)
{
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < table.rowCount(); ++row)
        texts.push_back(table.cellText(row, index));
    return texts;
}

}  // namespace

TEST(AwayStatistics, IsLeftOutOfEachPeriodWhereItOverlapsAndShownAsItsOwnRow)
{
    using Figures = std::vector<std::uint64_t>;
    // The time away, its periods (each once, however many records it lay
    // in), and the window time in the hours 08, 09, 23 and 00: each period
    // split at every hour within the range; then the window time, which is
    // the titles' sum: the time away is out of both.
    const struct {
        const char* name;
        Times titles;
        Figures figures;
        std::string away = "";
        uvlog::DateRange range = {};
    } cases[] = {
        {"no away file",
         {{"Kalkyl", 7200}, {"Brev - Ord", 3600}, {"Nyheter - Webb", 3600}},
         {0, 0, 3600, 3600, 3600, 3600, 14400}},
        {"the 7th: not the hour after midnight",
         {{"Brev - Ord", 3600}, {"Kalkyl", 3600}, {"Nyheter - Webb", 3600}},
         {0, 0, 3600, 3600, 3600, 0, 10800},
         "",
         {day(2024, 3, 7), day(2024, 3, 7)}},
        // A loses 10 minutes, B 20 + 5, Kalkyl the hour across midnight.
        {"all days",
         {{"Kalkyl", 3600}, {"Brev - Ord", 3000}, {"Nyheter - Webb", 2100}},
         {5700, 3, 3000, 2100, 1800, 1800, 8700},
         awayLines},
        {"the 8th: the half hour after midnight",
         {{"Kalkyl", 1800}},
         {1800, 1, 0, 0, 0, 1800, 1800},
         awayLines,
         {day(2024, 3, 8), day(2024, 3, 8)}},
        {"a damaged line and an overlap count no second twice",
         {{"Kalkyl", 7200}, {"Brev - Ord", 3000}, {"Nyheter - Webb", 2400}},
         {1800, 1, 3000, 2400, 3600, 3600, 12600},
         "2024-03-07 08:50:00  2024-03-07 09:20:00  inaktiv\r\n"
         "2024-03-07 09:00:00  2024-03-07 09:10:00  vila\r\n"
         "2024-03-07 09:30:00  2024-03-07 09:20:00  vila\r\n"
         "2024-03-07 09:3x:00  2024-03-07 09:50:00  vila\r\n"
         "2024-02-30 09:00:00  2024-03-07 09:50:00  vila\r\n"},
    };
    for (const auto& c : cases) {
        const LogStatistics stats = summariseAway(c.away, c.range);
        EXPECT_EQ(timesOf(stats.titles), c.titles) << c.name;
        EXPECT_EQ((Figures{stats.awaySeconds, stats.awayPeriods, stats.hours[8], stats.hours[9],
                           stats.hours[23], stats.hours[0], stats.windowSeconds}),
                  c.figures)
            << c.name;
    }
    // A table not asked for is not built.
    const LogStatistics onlyHours =
        uvlog::summarise({&awayDay}, {{2024, 3, 8}, {}, {}, {}, uvlog::hourTable});
    EXPECT_EQ(std::tuple(onlyHours.hours[0], onlyHours.titles.size()), std::tuple(3600u, 0u));

    // Every table shows it once, and the running time stays.
    using uvlog::StatisticsTable;
    const LogStatistics stats = summariseAway(awayLines);
    EXPECT_EQ(column(StatisticsTable(stats, Grouping::application), 0),
              (std::vector<std::string>{"Kalkyl", "Ord", "Webb", "(borta)"}));
    EXPECT_EQ(column(StatisticsTable(stats, Grouping::title), 2),
              (std::vector<std::string>{"25,0 %", "20,8 %", "14,6 %", "39,6 %"}))
        << "shares of the window time with the time away";
    EXPECT_EQ(column(StatisticsTable(stats, Grouping::category), 3),
              (std::vector<std::string>{"3", "3"}))
        << "(borta) counts its away periods";
    const StatisticsTable hours(stats, Grouping::hour);
    ASSERT_EQ(hours.rowCount(), 25u);
    EXPECT_EQ(hours.cellText(24, 0) + " " + hours.cellText(24, 1), "(borta) 1:35:00");
    EXPECT_EQ(StatisticsTable(stats, Grouping::day).csv(),
              "Datum;Drifttid;Sekunder;Borta;Borta (sekunder)\r\n"
              "2024-03-07;3:00:00;10800;1:05:00;3900\r\n"
              "2024-03-08;1:00:00;3600;0:30:00;1800\r\n");
    const StatisticsTable runs(stats, Grouping::run);
    EXPECT_EQ(column(runs, 3), (std::vector<std::string>{"2:00:00", "2:00:00"}));
    EXPECT_EQ(column(runs, runs.columns().size() - 1),
              (std::vector<std::string>{"0:35:00", "1:00:00"}));
    // Without the file the tables keep their columns and rows.
    const LogStatistics without = summariseAway("");
    EXPECT_EQ(StatisticsTable(without, Grouping::day).columns().size(), 2u);
    EXPECT_EQ(StatisticsTable(without, Grouping::title).rowCount(), 3u);
}
