// Reading ytime.dab and yhist.dab: the layout the program writes, the wide
// and odd forms it can take, and lines that are not records at all.

#include <gmock/gmock.h>

#include <string>
#include <tuple>

#include "companions/engine/log_format.h"
#include "companions/engine/log_parser.h"
#include "companions/testing/sample_log.h"

namespace {

using uvlog::EntryKind;
using uvlog::ParsedLog;

const std::string header =
    std::string(170, '=') +
    "\r\nWINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \r\n";

// Record 1 up to its title, as the program writes it.
constexpr const char* fields =
    "             1           0:00:01       312:05:49        08:17:14           0:03:12    ";

// Every entry and run of a reading in one text, to compare readings whole:
// a mark, header, record or raw line with its run, a record's fields as the
// log writes them, then each run's header, records and last run time.
std::string describe(const ParsedLog& log)
{
    std::string text;
    for (const uvlog::LogEntry& e : log.entries) {
        text += "HSR?"[static_cast<int>(e.kind)] + std::to_string(e.run);
        if (e.kind == EntryKind::record)
            text += ' ' + std::to_string(e.number) + ' ' + uvlog::durationText(e.runSeconds) + ' ' +
                    uvlog::durationText(e.totalSeconds) + ' ' + uvlog::clockText(e.clockSeconds) +
                    ' ' + uvlog::durationText(e.periodSeconds);
        text += std::string(e.online ? " *" : "") + (e.sinceOsStart ? " os" : "") +
                (e.unterminated ? " torn" : "");
        if (e.kind == EntryKind::record || e.kind == EntryKind::raw)
            text += " [" + std::string(uvlog::entryText(log, e)) + ']';
        text += '\n';
    }
    for (const uvlog::RunHeader& run : log.runs)
        text += std::string(run.complete ? "whole " : "cut ") +
                (run.dateValid
                     ? uvlog::dateText(run.startDate) + ' ' + uvlog::clockText(run.startSecondOfDay)
                     : "no date") +
                " nr " + std::to_string(run.startupNumber) + ": " +
                std::to_string(run.recordCount) + ' ' + uvlog::durationText(run.lastRunSeconds) +
                '\n';
    return text;
}

TEST(LogParser, ReadsTheRunsAndRecordsTheProgramWritesWideNumbersSplitByTheLayout)
{
    const ParsedLog log = uvlog::parseLog(
        header + header + fields + "WINDOWS\r\n" +
        "             2           0:01:41       312:07:29        08:18:54           0:01:40    "
        "*   Budget * utkast.xls  \r\n"
        "             3           0:01:45       312:07:33        08:18:58           0:00:04    "
        "WINDOWS\r\n");
    // The first run has only its header; blanks and stars are the title's; a
    // later record named WINDOWS is a window.
    EXPECT_EQ(describe(log),
              "S0\n"
              "S1\n"
              "R1 1 0:00:01 312:05:49 08:17:14 0:03:12 os [WINDOWS]\n"
              "R1 2 0:01:41 312:07:29 08:18:54 0:01:40 * [  Budget * utkast.xls  ]\n"
              "R1 3 0:01:45 312:07:33 08:18:58 0:00:04 [WINDOWS]\n"
              "whole 2024-03-07 08:05:09 nr 57: 0 0:00:00\n"
              "whole 2024-03-07 08:05:09 nr 57: 3 0:01:45\n");

    // 7-digit record numbers and 6-digit hours have no blank before them:
    // the leading blanks, or else the record before, tell where the number
    // ends. Hours beyond 64 bits saturate.
    const struct {
        const char* lines;
        const char* read;
    } cases[] = {
        {"1234567   12345:00:01123456:05:49        08:17:14123456:00:02    W\n",
         "R-1 1234567 12345:00:01 123456:05:49 08:17:14 123456:00:02 [W]\n"},
        {"             1123456:00:01       312:05:49        08:17:14           0:03:12    A\n",
         "R-1 1 123456:00:01 312:05:49 08:17:14 0:03:12 [A]\n"},
        {"     12345123456:00:01       312:05:49        08:17:14           0:03:12    B\n",
         "R-1 12345 123456:00:01 312:05:49 08:17:14 0:03:12 [B]\n"},
        {"12345677   12345:00:01123456:05:49        08:17:14           0:00:02    A\n"
         "12345678123456:00:01123456:05:49        08:17:14           0:00:02    B\n",
         "R-1 12345677 12345:00:01 123456:05:49 08:17:14 0:00:02 [A]\n"
         "R-1 12345678 123456:00:01 123456:05:49 08:17:14 0:00:02 [B]\n"},
        {"             118446744073709551616:00:01       312:05:49        08:17:14"
         "           0:03:12    Big\n",
         "R-1 1 5124095576030431:00:15 312:05:49 08:17:14 0:03:12 [Big]\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(uvlog::parseLog(c.lines)), c.read) << c.lines;
}

TEST(LogParser, OtherLinesStayRawTextAndSeparatorsAndBlankLinesCarryNothing)
{
    const std::string lines[] = {
        "hello world",
        "             1           0:00:01       312:05:49        08:17:14",
        "             1           0:0:01       312:05:49        08:17:14           0:03:12    X",
        "             1           0:00:01       312:05:49        8:17:14           0:03:12    X",
        "             1           0:00:01       312:05:49        08:17:14           0:03:12  X",
        // 5-digit hours after a run-together number would have blanks.
        "123456712345:00:01123456:05:49        08:17:14           0:00:02    A",
        "WINDOWS STAR",
        "HISTORIA",  // the history's mark only as its first line
        "Slut",
    };
    std::string text = "====\n\n   \r\n";
    std::string read;
    for (const std::string& line : lines) {
        text += line + "\r\n";
        read += "?-1 [" + line + "]\n";
    }
    // Records before any header belong to no run.
    EXPECT_EQ(describe(uvlog::parseLog(text + fields + "LF only\n")),
              read + "R-1 1 0:00:01 312:05:49 08:17:14 0:03:12 [LF only]\n");
}

TEST(LogParser, ADamagedOrLostHeaderStillBeginsARun)
{
    const ParsedLog log = uvlog::parseLog(
        "WINDOWS START=  2024-13-07   08:05:09     Uppstart nr=  3        \n"
        "WINDOWS START=  2024-03-07   24:00:00     Uppstart nr=  4\n"
        "WINDOWS START=  trasig\n" +
        std::string(fields) + "WINDOWS\r\n");
    EXPECT_EQ(describe(log),
              "S0\nS1\nS2\n"
              "R2 1 0:00:01 312:05:49 08:17:14 0:03:12 os [WINDOWS]\n"
              "whole no date nr 3: 0 0:00:00\n"  // month 13
              "whole no date nr 4: 0 0:00:00\n"  // hour 24
              "cut no date nr 0: 1 0:00:01\n");

    // A run whose header is lost begins where the records start again.
    const auto record = [](std::uint64_t number, std::uint64_t run, const char* title) {
        return uvlog::sampleRecordLine(number, run, run, 8 * 3600, 60, false, title) + "\r\n";
    };
    const ParsedLog lost = uvlog::parseLog(
        header + record(1, 0, "WINDOWS") + record(2, 600, "A") +
        "WINDOWS STBRT=  2024-03-08   08:00:00     Uppstart nr=  58        \r\n" +
        record(1, 0, "WINDOWS") + record(2, 300, "B") +  // the header damaged
        record(3, 100, "C") +                            // no header at all: time goes back
        "WINDOWS START=  2024-03-09   08:00:00     Uppst\r\n" + record(1, 0, "WINDOWS"));
    // A run without a readable header has no date; a cut header keeps its
    // date.
    EXPECT_EQ(
        std::tuple(lost.runs.size(), lost.runs.at(1).dateValid, lost.runs.at(1).recordCount,
                   lost.runs.at(3).dateValid, lost.runs.at(3).complete, lost.runs.at(3).startDate),
        std::tuple(4u, false, 2u, true, false, uvlog::CalendarDate{2024, 3, 9}));
    // The run each record begins and its WINDOWS record, never a window.
    EXPECT_EQ(
        std::tuple(lost.entries.at(4).run, lost.entries.at(4).sinceOsStart, lost.entries.at(6).run),
        std::tuple(1, true, 2));
}

// A torn last line is read provisionally and again when the file grows; once
// whole, it reads as the pieces further down show.
TEST(LogParser, ReadingInPiecesGivesWhatReadingAtOnceGivesATornLineProvisionally)
{
    const std::string full = header + fields + "WINDOWS\r\n" +
                             "             2           0:01:41       312:07:29        08:18:54"
                             "           0:01:40    Namnl\xF6s - Anteckningar\r\n";
    const std::size_t cutInNumbers = full.size() - 60;

    ParsedLog log = uvlog::parseLog(full.substr(0, cutInNumbers));
    // Its entries, the last one's kind and tear, and the run's records.
    EXPECT_EQ(std::tuple(log.entries.size(), log.entries.at(2).kind, log.entries.at(2).unterminated,
                         log.runs.at(0).recordCount),
              std::tuple(3u, EntryKind::raw, true, 1u));

    // Then up to the title's last 6 letters.
    uvlog::appendLogText(log, full.substr(cutInNumbers, 60 - 8));
    EXPECT_EQ(std::tuple(log.entries.size(), log.entries.at(2).kind,
                         std::string(uvlog::entryText(log, log.entries.at(2))),
                         log.runs.at(0).recordCount),
              std::tuple(3u, EntryKind::record, "Namnl\xF6s - Anteck", 2u));

    // Reading in pieces gives what reading at once gives.
    // Three runs of four records.
    const std::string text =
        "HISTORIA\r\n" + uvlog::makeSampleLog({{2024, 3, 7}, 3, 4}) + "skr\xE4p\r\n";
    const ParsedLog whole = uvlog::parseLog(text);
    ASSERT_EQ(whole.entries.size(), 1u + 3 * 5 + 1);
    EXPECT_EQ(whole.entries[0].kind, EntryKind::historyMark);
    // Every sample record reads back.
    EXPECT_THAT(whole.runs, ::testing::Each(::testing::Field(&uvlog::RunHeader::recordCount, 4u)));
    for (std::size_t cut = 0; cut <= text.size(); cut += 7) {
        ParsedLog pieces = uvlog::parseLog(text.substr(0, cut));
        uvlog::appendLogText(pieces, text.substr(cut));
        ASSERT_EQ(describe(pieces), describe(whole)) << "cut at " << cut;
    }
}

}  // namespace
