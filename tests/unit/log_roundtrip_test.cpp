// The log reader on logs that the program's own writer made: two runs driven
// through the tick, wide numbers, odd titles, and the move into the history.

#include <string>
#include <vector>

#include "app/shell_state.h"
#include "app/window_events.h"
#include "app/window_title.h"
#include "common/data_file_format.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/log_statistics.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

namespace texts = data_file_format;

namespace {

using uvlog::EntryKind;
using uvlog::LogEntry;
using uvlog::ParsedLog;

constexpr std::uint64_t hourMs = 3'600'000;
const std::string twoBlanksTitle = "  tv\xE5 blanker f\xF6rst";

class LogRoundTrip : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        writeFile(texts::stateFileName, sampleState());
        fakeHost.titles = {{11, "Anteckningar"},
                           {12, "Budget * utkast.xls - Kalkyl"},
                           {13, "Rad 1\r\nRad 2"},
                           {14, twoBlanksTitle}};
        startProgram({124, 2, 7, 8, 5, 9}, 191'000);
    }

    // A new run of the program at `tick` ms after the system started.
    void startProgram(host::CalendarTime calendar, std::uint64_t tick)
    {
        resetProgramState();
        fakeHost.calendar = calendar;
        startRun(tick);
        loadState();
        checkLogSize(announceLogMove);
        shell.startupComplete = true;
    }

    // Lets `ms` pass, puts `window` above the main window and ticks once.
    void bringAbove(host::WindowHandle window, std::uint64_t ms = 0)
    {
        fakeHost.tick += ms;
        fakeHost.windowAbove = window;
        fakeHost.tick += 100;
        runTick();
    }

    // Run 1: the header, then six records, one of them on line.
    void writeFirstRun()
    {
        bringAbove(11);  // the header
        bringAbove(11);  // WINDOWS: the time since the system started
        bringAbove(12, 65'000);
        shared.modemOnline = 1;
        bringAbove(13, 2 * hourMs);
        shared.modemOnline = 0;
        bringAbove(0, 30'000);
        bringAbove(14, 10'000);
        bringAbove(11, 5'000);
    }

    // Run 2, a day later, with record numbers and hours too wide for blanks.
    void writeSecondRun()
    {
        startProgram({124, 2, 8, 23, 59, 30}, 40'000);
        bringAbove(11);
        bringAbove(11);
        stateFile.appCount = 1'234'567;
        clockState.savedHours = 123'456;
        bringAbove(12, 12'345 * hourMs);
        bringAbove(13, 111'111 * hourMs);
    }

    // Changes the log size limit of the state file.
    void setLogSizeLimit(const std::string& from, const std::string& to)
    {
        std::string state = readFile(texts::stateFileName);
        state.replace(state.find(from + "\n"), from.size(), to);
        writeFile(texts::stateFileName, state);
    }

    std::vector<const LogEntry*> recordsOf(const ParsedLog& log, int run) const
    {
        std::vector<const LogEntry*> records;
        for (const LogEntry& entry : log.entries) {
            if (entry.kind == EntryKind::record && entry.run == run)
                records.push_back(&entry);
        }
        return records;
    }
};

TEST_F(LogRoundTrip, EveryRunReadsBackAsWrittenBeforeAndAfterTheMoveIntoTheHistory)
{
    writeFirstRun();
    const std::string before = readFile(texts::logFileName);
    const ParsedLog firstLog = uvlog::parseLog(before);
    for (const LogEntry& entry : firstLog.entries)
        ASSERT_NE(entry.kind, EntryKind::raw) << uvlog::entryText(firstLog, entry);
    ASSERT_EQ(firstLog.runs.size(), 1u);
    EXPECT_EQ(firstLog.runs[0].startupNumber, 57u);
    EXPECT_EQ(firstLog.runs[0].startDate, (uvlog::CalendarDate{2024, 3, 7}));
    EXPECT_EQ(firstLog.runs[0].startSecondOfDay, 8u * 3600 + 5 * 60 + 9);
    const std::vector<const LogEntry*> first = recordsOf(firstLog, 0);
    const std::vector<std::string> titles = {
        "WINDOWS", "Anteckningar", "Budget * utkast.xls - Kalkyl", "Rad 1  Rad 2",
        "?",       twoBlanksTitle};
    const std::vector<std::uint64_t> periods = {191, 65, 7200, 30, 10, 5};
    ASSERT_EQ(first.size(), titles.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i]->number, i + 1);
        EXPECT_EQ(uvlog::entryText(firstLog, *first[i]), titles[i]);
        EXPECT_EQ(first[i]->periodSeconds, periods[i]) << titles[i];
        EXPECT_EQ(first[i]->online, i == 2) << titles[i];
        EXPECT_EQ(first[i]->sinceOsStart, i == 0);
        EXPECT_EQ(first[i]->totalSeconds, 312u * 3600 + 5 * 60 + 48 + first[i]->runSeconds);
    }
    EXPECT_EQ(firstLog.runs[0].lastRunSeconds, 7'310u);  // 191.0 s to 7501.7 s

    // Two more runs of the program, the computer not restarted: the first
    // moves the log into the history at its start.
    setLogSizeLimit("4000000", "100");
    startProgram({124, 2, 7, 11, 0, 0}, 3 * hourMs);
    ASSERT_EQ(readFile(texts::logFileName), "");
    const ParsedLog history = uvlog::parseLog(readFile(texts::historyFileName));
    EXPECT_EQ(history.entries.at(0).kind, uvlog::EntryKind::historyMark);
    EXPECT_EQ(history.text.substr(history.text.find('\n') + 1), before)
        << "the log follows the mark byte for byte";
    bringAbove(11);
    bringAbove(12);
    bringAbove(11, 60'000);
    setLogSizeLimit("100", "4000000");
    startProgram({124, 2, 7, 12, 0, 0}, 4 * hourMs);
    bringAbove(11);
    bringAbove(12);
    writeSecondRun();

    const ParsedLog log = uvlog::parseLog(readFile(texts::logFileName));
    for (const LogEntry& entry : log.entries)
        ASSERT_NE(entry.kind, EntryKind::raw) << uvlog::entryText(log, entry);
    ASSERT_EQ(log.runs.size(), 3u);
    EXPECT_EQ(log.runs[2].startSecondOfDay, 23u * 3600 + 59 * 60 + 30);
    const std::vector<const LogEntry*> wide = recordsOf(log, 2);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_TRUE(wide[0]->sinceOsStart);
    EXPECT_EQ(wide[0]->periodSeconds, 40u);
    EXPECT_EQ(wide[1]->number, 1'234'567u);
    EXPECT_EQ(wide[1]->runSeconds / 3600, 12'345u);
    EXPECT_EQ(wide[1]->totalSeconds / 3600, 123'456u + 12'345u);
    ASSERT_NE(log.text.find("\n1234568123456:00:00"), std::string::npos) << "no blank between";
    EXPECT_EQ(wide[2]->number, 1'234'568u);
    EXPECT_EQ(wide[2]->runSeconds / 3600, 123'456u) << "six-digit hours right after the number";
    EXPECT_EQ(wide[2]->periodSeconds / 3600, 111'111u);
    EXPECT_EQ(uvlog::entryText(log, *wide[2]), "Budget * utkast.xls - Kalkyl");

    uvlog::LogSummariser summariser(uvlog::SummaryOptions{{2024, 3, 8}, {}, {}, {}});
    ASSERT_EQ(uvlog::summariseFile(texts::historyFileName, summariser), uvlog::FileReading::read);
    ASSERT_EQ(uvlog::summariseFile(texts::logFileName, summariser), uvlog::FileReading::read);
    const uvlog::LogStatistics stats = summariser.finish();
    EXPECT_EQ(stats.onlineSeconds, 7200u);
    ASSERT_EQ(stats.runs.size(), 4u);
    // Runs of one boot keep their own time from the system's start.
    const std::uint64_t fromSystemStart[] = {191, 3 * 3600, 4 * 3600, 40};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(stats.runs[i].startupNumber, 57u + i);
        EXPECT_EQ(stats.runs[i].sinceSystemStartSeconds, fromSystemStart[i]);
    }
    EXPECT_EQ(stats.titles[0].title, "Budget * utkast.xls - Kalkyl");
}

}  // namespace
