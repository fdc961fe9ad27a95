// The log reader on logs that the program's own writer made: runs driven
// through the tick, wide numbers, odd titles, and the move into the history.

#include <string>
#include <vector>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/log_statistics.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/state_file.h"

namespace texts = data_file_format;

namespace {

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
    }

    // A new run of the program at `tick` ms after the system started.
    void startProgram(host::CalendarTime calendar, std::uint64_t tick)
    {
        fakeHost.calendar = calendar;
        startUp(tick);
    }

    // Lets `ms` pass, puts `window` above the main window and ticks once.
    void bringAbove(host::WindowHandle window, std::uint64_t ms = 0)
    {
        fakeHost.windowAbove = window;
        fakeHost.tick += ms + 100;
        runTick();
    }

    // Changes the log size limit of the state file.
    void setLogSizeLimit(const std::string& from, const std::string& to)
    {
        std::string state = readFile(texts::stateFileName);
        state.replace(state.find(from + "\n"), from.size(), to);
        writeFile(texts::stateFileName, state);
    }
};

// Each record of `run`: its number, run time, period, total and title.
std::vector<std::string> recordsOf(const ParsedLog& log, int run)
{
    std::vector<std::string> records;
    for (const uvlog::LogEntry& e : log.entries)
        if (e.kind == uvlog::EntryKind::record && e.run == run)
            records.push_back(std::to_string(e.number) + ' ' + uvlog::durationText(e.runSeconds) +
                              ' ' + uvlog::durationText(e.periodSeconds) + ' ' +
                              uvlog::durationText(e.totalSeconds) + ' ' +
                              std::string(uvlog::entryText(log, e)));
    return records;
}

TEST_F(LogRoundTrip, EveryRunReadsBackAsWrittenBeforeAndAfterTheMoveIntoTheHistory)
{
    // Run 57: the header, the time since the system started, then five
    // windows, one of them on line.
    startProgram({124, 2, 7, 8, 5, 9}, 191'000);
    bringAbove(11);
    bringAbove(11);
    bringAbove(12, 65'000);
    shared.modemOnline = 1;
    bringAbove(13, 2 * hourMs);
    shared.modemOnline = 0;
    bringAbove(0, 30'000);
    bringAbove(14, 10'000);
    bringAbove(11, 5'000);
    // Runs 58 and 59, the computer not restarted: the first moves the log
    // into the history at its start.
    setLogSizeLimit("4000000", "100");
    startProgram({124, 2, 7, 11, 0, 0}, 3 * hourMs);
    ASSERT_EQ(readFile(texts::logFileName), "");
    bringAbove(11);
    bringAbove(12);
    bringAbove(11, 60'000);
    setLogSizeLimit("100", "4000000");
    startProgram({124, 2, 7, 12, 0, 0}, 4 * hourMs);
    bringAbove(11);
    bringAbove(12);
    // Run 60, a day later, with record numbers and hours too wide for blanks.
    startProgram({124, 2, 8, 23, 59, 30}, 40'000);
    bringAbove(11);
    bringAbove(11);
    stateFile.appCount = 1'234'567;
    clockState.savedHours = 123'456;
    bringAbove(12, 12'345 * hourMs);
    bringAbove(13, 111'111 * hourMs);

    const ParsedLog history = uvlog::parseLog(readFile(texts::historyFileName));
    const ParsedLog log = uvlog::parseLog(readFile(texts::logFileName));
    for (const ParsedLog* file : {&history, &log})
        for (const uvlog::LogEntry& entry : file->entries)
            ASSERT_NE(entry.kind, uvlog::EntryKind::raw) << uvlog::entryText(*file, entry);
    EXPECT_EQ(history.entries.at(0).kind, uvlog::EntryKind::historyMark);
    // 191.0 s to 7501.7 s; the total began at 312:05:48.
    EXPECT_EQ(recordsOf(history, 0),
              (std::vector<std::string>{
                  "1 0:00:00 0:03:11 312:05:48 WINDOWS", "2 0:01:05 0:01:05 312:06:53 Anteckningar",
                  "3 2:01:05 2:00:00 314:06:53 Budget * utkast.xls - Kalkyl",
                  "4 2:01:35 0:00:30 314:07:23 Rad 1  Rad 2", "5 2:01:45 0:00:10 314:07:33 ?",
                  "6 2:01:50 0:00:05 314:07:38 " + twoBlanksTitle}));

    ASSERT_NE(log.text.find("\n1234568123456:00:00"), std::string::npos) << "no blank between";
    // Seven-digit numbers and six-digit hours read back with no blank before them.
    EXPECT_EQ(recordsOf(log, 2),
              (std::vector<std::string>{
                  "1 0:00:00 0:00:40 314:08:38 WINDOWS",
                  "1234567 12345:00:00 12345:00:00 135801:08:38 Anteckningar",
                  "1234568 123456:00:00 111111:00:00 246912:08:38 Budget * utkast.xls - Kalkyl"}));

    const uvlog::LogStatistics stats = uvlog::summariseLogs({&history, &log}, {2024, 3, 8});
    EXPECT_EQ(stats.onlineSeconds, 7200u);
    // Each run's start as its header gives it, and its own time from the
    // system's start, however many runs one boot of the computer had.
    std::vector<std::string> runs;
    for (const uvlog::RunRow& run : stats.runs)
        runs.push_back(std::to_string(run.startupNumber) + ' ' + uvlog::runStartText(run) + ' ' +
                       uvlog::durationText(run.sinceSystemStartSeconds));
    EXPECT_EQ(runs, (std::vector<std::string>{
                        "57 2024-03-07 08:05:09 0:03:11", "58 2024-03-07 11:00:00 3:00:00",
                        "59 2024-03-07 12:00:00 4:00:00", "60 2024-03-08 23:59:30 0:00:40"}));
}

}  // namespace
