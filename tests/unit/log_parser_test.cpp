// Reading ytime.dab and yhist.dab: the layout the program writes, the wide
// and odd forms it can take, and lines that are not records at all.

#include <gtest/gtest.h>

#include <string>

#include "companions/engine/log_parser.h"
#include "companions/testing/sample_log.h"

namespace {

using uvlog::EntryKind;
using uvlog::LogEntry;
using uvlog::ParsedLog;

constexpr const char* header =
    "=========================================================================================="
    "================================================================================\r\n"
    "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \r\n";

// The first record of a run as the program writes it, line end included.
constexpr const char* windowsRecord =
    "             1           0:00:01       312:05:49        08:17:14           0:03:12    "
    "WINDOWS\r\n";

std::string titleOf(const ParsedLog& log, std::size_t entry)
{
    return std::string(uvlog::entryText(log, log.entries.at(entry)));
}

TEST(LogParser, ReadsTheHeaderAndTheRecordsOfARun)
{
    const ParsedLog log = uvlog::parseLog(
        std::string(header) + windowsRecord +
        "             2           0:01:41       312:07:29        08:18:54           0:01:40    "
        "* Inkorgen - E-post\r\n");

    ASSERT_EQ(log.entries.size(), 3u);
    ASSERT_EQ(log.runs.size(), 1u);
    const uvlog::RunHeader& run = log.runs[0];
    EXPECT_TRUE(run.complete);
    EXPECT_TRUE(run.dateValid);
    EXPECT_EQ(run.startDate, (uvlog::CalendarDate{2024, 3, 7}));
    EXPECT_EQ(run.startSecondOfDay, 8u * 3600 + 5 * 60 + 9);
    EXPECT_EQ(run.startupNumber, 57u);
    EXPECT_EQ(run.recordCount, 2u);
    EXPECT_EQ(run.lastRunSeconds, 101u);

    EXPECT_EQ(log.entries[0].kind, EntryKind::runHeader);
    const LogEntry& first = log.entries[1];
    EXPECT_EQ(first.kind, EntryKind::record);
    EXPECT_EQ(first.run, 0);
    EXPECT_EQ(first.number, 1u);
    EXPECT_EQ(first.runSeconds, 1u);
    EXPECT_EQ(first.totalSeconds, 312u * 3600 + 5 * 60 + 49);
    EXPECT_EQ(first.clockSeconds, 8u * 3600 + 17 * 60 + 14);
    EXPECT_EQ(first.periodSeconds, 192u);
    EXPECT_FALSE(first.online);
    EXPECT_TRUE(first.sinceOsStart);
    EXPECT_EQ(titleOf(log, 1), "WINDOWS");

    const LogEntry& second = log.entries[2];
    EXPECT_TRUE(second.online);
    EXPECT_FALSE(second.sinceOsStart);
    EXPECT_EQ(titleOf(log, 2), "Inkorgen - E-post");
}

TEST(LogParser, OnlyTheFirstRecordOfARunIsTheTimeSinceTheSystemStarted)
{
    const ParsedLog log = uvlog::parseLog(
        std::string(header) + windowsRecord +
        "             2           0:00:05       312:05:53        08:17:18           0:00:04    "
        "WINDOWS\r\n" +
        header + windowsRecord);
    ASSERT_EQ(log.entries.size(), 5u);
    EXPECT_TRUE(log.entries[1].sinceOsStart);
    EXPECT_FALSE(log.entries[2].sinceOsStart) << "a window that is itself named WINDOWS";
    EXPECT_TRUE(log.entries[4].sinceOsStart);
    EXPECT_EQ(log.entries[4].run, 1);
}

TEST(LogParser, ARunWithOnlyItsHeaderIsARunWithoutRecords)
{
    const ParsedLog log = uvlog::parseLog(std::string(header) + header + windowsRecord);
    ASSERT_EQ(log.runs.size(), 2u);
    EXPECT_EQ(log.runs[0].recordCount, 0u);
    EXPECT_EQ(log.runs[0].lastRunSeconds, 0u);
    EXPECT_EQ(log.runs[1].recordCount, 1u);
    EXPECT_EQ(log.entries.size(), 3u);
}

TEST(LogParser, WideNumbersWithNoBlankBeforeThemAreSplitByTheLayout)
{
    // A 7-digit record number has no blank before it; 6-digit hours neither.
    const ParsedLog log = uvlog::parseLog(
        std::string(header) +
        "1234567   12345:00:01123456:05:49        08:17:14123456:00:02    Wide\r\n"
        "             1123456:00:01       312:05:49        08:17:14           0:03:12    A\r\n"
        "     12345123456:00:01       312:05:49        08:17:14           0:03:12    B\r\n");
    ASSERT_EQ(log.entries.size(), 4u);
    const LogEntry& wide = log.entries[1];
    ASSERT_EQ(wide.kind, EntryKind::record);
    EXPECT_EQ(wide.number, 1234567u);
    EXPECT_EQ(wide.runSeconds, 12345u * 3600 + 1);
    EXPECT_EQ(wide.totalSeconds, 123456u * 3600 + 5 * 60 + 49);
    EXPECT_EQ(wide.periodSeconds, 123456u * 3600 + 2);
    EXPECT_EQ(titleOf(log, 1), "Wide");

    // The leading blanks give the record number's length.
    EXPECT_EQ(log.entries[2].number, 1u);
    EXPECT_EQ(log.entries[2].runSeconds, 123456u * 3600 + 1);
    EXPECT_EQ(log.entries[3].number, 12345u);
    EXPECT_EQ(log.entries[3].runSeconds, 123456u * 3600 + 1);
}

TEST(LogParser, TwoRunTogetherWideNumbersFollowTheRecordBefore)
{
    // Record 12345678 after 12345677, with 6-digit run hours: 14 digits in a
    // row that could also split 7 + 7.
    const ParsedLog log = uvlog::parseLog(
        "123456712345:00:01123456:05:49        08:17:14           0:00:02    A\r\n");
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].kind, EntryKind::raw) << "5-digit hours would have blanks";
    const ParsedLog after = uvlog::parseLog(
        "12345677   12345:00:01123456:05:49        08:17:14           0:00:02    A\r\n"
        "12345678123456:00:01123456:05:49        08:17:14           0:00:02    B\r\n");
    EXPECT_EQ(after.entries[1].number, 12345678u);
    EXPECT_EQ(after.entries[1].runSeconds, 123456u * 3600 + 1);
}

TEST(LogParser, HourCountsBeyondSixtyFourBitsSaturate)
{
    const ParsedLog log = uvlog::parseLog(
        "             1999999999999999999999999:00:01       312:05:49        08:17:14"
        "           0:03:12    Big\n");
    ASSERT_EQ(log.entries.size(), 1u);
    ASSERT_EQ(log.entries[0].kind, EntryKind::record);
    EXPECT_EQ(log.entries[0].runSeconds, ~std::uint64_t{0});
}

TEST(LogParser, TitlesKeepTheirBlanksStarsAndBytes)
{
    const ParsedLog log = uvlog::parseLog(
        "             1           0:00:01       312:05:49        08:17:14           0:03:12    "
        "* Budget * utkast.xls  \r\n"
        "             2           0:00:02       312:05:50        08:17:15           0:00:01    "
        "  indragen\r\n"
        "             3           0:00:03       312:05:51        08:17:16           0:00:01    "
        "\xE5r \xF6\x01\r\n"
        "             4           0:00:04       312:05:52        08:17:17           0:00:01    "
        "\r\n");
    ASSERT_EQ(log.entries.size(), 4u);
    EXPECT_TRUE(log.entries[0].online);
    EXPECT_EQ(titleOf(log, 0), "Budget * utkast.xls  ");
    EXPECT_FALSE(log.entries[1].online);
    EXPECT_EQ(titleOf(log, 1), "  indragen");
    EXPECT_EQ(titleOf(log, 2), "\xE5r \xF6\x01");
    EXPECT_EQ(log.entries[3].kind, EntryKind::record);
    EXPECT_EQ(titleOf(log, 3), "");
}

TEST(LogParser, LinesThatAreNotRecordsStayAsRawText)
{
    const std::string lines[] = {
        "hello world",
        "             1           0:00:01       312:05:49        08:17:14",
        "             1           0:0:01       312:05:49        08:17:14           0:03:12    X",
        "             1           0:00:01       312:05:49        8:17:14           0:03:12    X",
        "             1           0:00:01       312:05:49        08:17:14           0:03:12  X",
        "WINDOWS STAR",
        "12345",
        "Slut",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    const ParsedLog log = uvlog::parseLog(text);
    ASSERT_EQ(log.entries.size(), std::size(lines));
    for (std::size_t i = 0; i < log.entries.size(); ++i) {
        EXPECT_EQ(log.entries[i].kind, EntryKind::raw) << lines[i];
        EXPECT_EQ(titleOf(log, i), lines[i]);
    }
}

TEST(LogParser, ADamagedHeaderStillBeginsARun)
{
    const ParsedLog log = uvlog::parseLog(
        "WINDOWS START=  2024-13-07   08:05:09     Uppstart nr=  3        \n"
        "WINDOWS START=  trasig\n" +
        std::string(windowsRecord));
    ASSERT_EQ(log.runs.size(), 2u);
    EXPECT_TRUE(log.runs[0].complete);
    EXPECT_FALSE(log.runs[0].dateValid) << "month 13";
    EXPECT_FALSE(log.runs[1].complete);
    EXPECT_EQ(log.entries[2].run, 1);
    EXPECT_TRUE(log.entries[2].sinceOsStart);
}

TEST(LogParser, SeparatorsAndBlankLinesCarryNothingAndLineEndsMayBeBare)
{
    const ParsedLog log = uvlog::parseLog("====\n\n   \r\n" + std::string(windowsRecord) +
                                          "             2           0:00:02       312:05:50"
                                          "        08:17:15           0:00:01    LF only\n");
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].run, -1) << "records before any header belong to no run";
    EXPECT_EQ(titleOf(log, 1), "LF only");
}

TEST(LogParser, TheHistoryBeginsWithItsMark)
{
    const ParsedLog history = uvlog::parseLog("HISTORIA\r\n" + std::string(header) + windowsRecord);
    EXPECT_TRUE(uvlog::isHistoryLog(history));
    EXPECT_EQ(history.entries[0].kind, EntryKind::historyMark);
    EXPECT_FALSE(uvlog::isHistoryLog(uvlog::parseLog(std::string(header) + "HISTORIA\r\n")));
}

TEST(LogParser, ATornLastLineIsReadAgainWhenTheFileGrows)
{
    const std::string full =
        std::string(header) + windowsRecord +
        "             2           0:01:41       312:07:29        08:18:54           0:01:40    "
        "Namnl\xF6s - Anteckningar\r\n";
    const std::size_t cutInNumbers = full.size() - 60;
    const std::size_t cutInTitle = full.size() - 8;

    ParsedLog log = uvlog::parseLog(full.substr(0, cutInNumbers));
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[2].kind, EntryKind::raw);
    EXPECT_TRUE(log.entries[2].unterminated);
    EXPECT_EQ(log.runs[0].recordCount, 1u);

    uvlog::appendLogText(log, full.substr(cutInNumbers, cutInTitle - cutInNumbers));
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[2].kind, EntryKind::record);
    EXPECT_TRUE(log.entries[2].unterminated);
    EXPECT_EQ(titleOf(log, 2), "Namnl\xF6s - Anteck");
    EXPECT_EQ(log.runs[0].recordCount, 2u);

    uvlog::appendLogText(log, full.substr(cutInTitle));
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_FALSE(log.entries[2].unterminated);
    EXPECT_EQ(titleOf(log, 2), "Namnl\xF6s - Anteckningar");
    EXPECT_EQ(log.runs[0].recordCount, 2u) << "the provisional record is not counted twice";
    EXPECT_EQ(log.runs[0].lastRunSeconds, 101u);
}

TEST(LogParser, ReadingInPiecesGivesWhatReadingAtOnceGives)
{
    uvlog::SampleLogPlan plan;
    plan.runs = 3;
    plan.recordsPerRun = 4;
    const std::string text = "HISTORIA\r\n" + uvlog::makeSampleLog(plan) + "skr\xE4p\r\n";
    const ParsedLog whole = uvlog::parseLog(text);
    for (std::size_t cut = 0; cut <= text.size(); cut += 7) {
        ParsedLog pieces = uvlog::parseLog(text.substr(0, cut));
        uvlog::appendLogText(pieces, text.substr(cut));
        ASSERT_EQ(pieces.entries.size(), whole.entries.size()) << "cut at " << cut;
        ASSERT_EQ(pieces.runs.size(), whole.runs.size());
        for (std::size_t i = 0; i < whole.entries.size(); ++i) {
            EXPECT_EQ(pieces.entries[i].kind, whole.entries[i].kind);
            EXPECT_EQ(pieces.entries[i].number, whole.entries[i].number);
            EXPECT_EQ(titleOf(pieces, i), titleOf(whole, i));
        }
        for (std::size_t i = 0; i < whole.runs.size(); ++i) {
            EXPECT_EQ(pieces.runs[i].recordCount, whole.runs[i].recordCount);
            EXPECT_EQ(pieces.runs[i].lastRunSeconds, whole.runs[i].lastRunSeconds);
        }
    }
}

TEST(LogParser, ASampleLogReadsBackWhole)
{
    uvlog::SampleLogPlan plan;
    plan.runs = 4;
    plan.recordsPerRun = 50;
    const ParsedLog log = uvlog::parseLog(uvlog::makeSampleLog(plan));
    EXPECT_EQ(log.runs.size(), 4u);
    EXPECT_EQ(log.entries.size(), 4u * 51);
    for (const LogEntry& entry : log.entries)
        EXPECT_NE(entry.kind, EntryKind::raw) << uvlog::entryText(log, entry);
}

}  // namespace
