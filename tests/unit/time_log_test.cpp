// ytime.dab on real files: the header and record layout byte for byte, what
// the tick writes as windows come and go above Uravik's, and failures.

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

// The data files' names, and the messages about them.
namespace texts {
using namespace data_file_format;
using namespace persistence_texts;
}  // namespace texts

namespace {

std::string blanks(std::size_t count)
{
    return std::string(count, ' ');
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// What a record names comes after its five number columns and four blanks.
std::string nameOf(const std::string& record)
{
    std::size_t pos = 0;
    for (int column = 0; column < 5; ++column)
        pos = record.find(' ', record.find_first_not_of(' ', pos));
    return record.substr(pos + 4);
}

class TimeLog : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        // Start-up 57 on 2024-03-07 at 8:05:09, 3 min 11 s after the system
        // started, with 312:05:48 saved.
        fakeHost.calendar = {124, 2, 7, 8, 5, 9};
        writeFile(texts::stateFileName,
                  "56   =Uppstarter\n312   =Timmar totalt\n05   =Minuter totalt\n"
                  "48   =Sekunder totalt\n1200   =Applikationer totalt\n4000000\n\nSlut\n");
        startRun(191'000);
        loadState();
    }
    std::vector<std::string> logLines() const { return linesOf(readFile(texts::logFileName)); }

    // Ticks as the window procedure runs them, 100 ms apart.
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            fakeHost.tick += 100;
            runTick();
        }
    }
};

TEST_F(TimeLog, FirstCallWritesTheHeaderOfTheRun)
{
    updateCounters();
    writeLogRecord();
    EXPECT_EQ(readFile(texts::logFileName),
              std::string(170, '=') + "\n" +
                  "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \n");
    EXPECT_EQ(timeLog.logHeaderWritten, 1);
    EXPECT_STREQ(timeLog.previousTitle, "WINDOWS");
    EXPECT_EQ(stateFile.appCount, 1);
    EXPECT_NE(readFile(texts::stateFileName).find("1201   =Applikationer"), std::string::npos);

    // Day and month 10 and up keep their two digits; the year is as captured.
    timeLog = TimeLogState{};
    clockState = ClockState{};
    fakeHost.calendar = {94, 11, 10, 23, 59, 0};
    captureDateTime();
    writeLogRecord();
    EXPECT_EQ(logLines().back(),
              "WINDOWS START=  2094-12-10   23:59:00     Uppstart nr=  57        ");
}

TEST_F(TimeLog, FirstRecordNamesWindowsWithThePeriodSinceTheSystemStarted)
{
    updateCounters();
    writeLogRecord();
    fakeHost.calendar = {124, 2, 7, 8, 17, 14};
    runFor(1000);
    writeLogRecord();
    EXPECT_EQ(logLines().back(), blanks(13) + "1" + blanks(11) + "0:00:01" + blanks(7) +
                                     "312:05:49" + blanks(8) + "08:17:14" + blanks(11) + "0:03:12" +
                                     blanks(4) + "WINDOWS");
    EXPECT_STREQ(clockState.clockHourText, "8");
    EXPECT_EQ(timeLog.lastRecordTick, 192'000u);
}

TEST_F(TimeLog, WideNumbersAreWrittenWithNoBlankBeforeThem)
{
    updateCounters();
    writeLogRecord();
    clockState.savedHours = 123'456;
    stateFile.appCount = 1'234'567;
    runFor(12'345ull * 3'600'000);  // five-digit run and period hours
    writeLogRecord();
    const std::string record = logLines().back();
    EXPECT_EQ(record.substr(0, 21), "1234567" + blanks(3) + "12345:00:00");
    EXPECT_NE(record.find(":00:00135801:05:48" + blanks(8)), std::string::npos) << record;
    EXPECT_NE(record.find(blanks(3) + "12345:03:11" + blanks(4)), std::string::npos) << record;

    stateFile.appCount = 123'456;  // six digits: three blanks
    runFor(1000);
    writeLogRecord();
    EXPECT_EQ(logLines().back().substr(0, 9), blanks(3) + "123456");
}

TEST_F(TimeLog, EachChangeOfTheWindowAboveNamesTheWindowThatLayThere)
{
    shell.startupComplete = true;
    fakeHost.titles = {{11, "Anteckningar"}, {12, ""}, {13, "Rad 1\r\nRad 2\tslut\x7f~"}};

    fakeHost.windowAbove = 11;
    ticks(1);
    EXPECT_EQ(logLines().size(), 2u) << "the header only";
    EXPECT_EQ(shared.loggedWindowAbove, 0u);
    ticks(1);
    EXPECT_EQ(shared.loggedWindowAbove, 11u);
    ticks(5);
    EXPECT_EQ(logLines().size(), 3u) << "nothing while the same window stays above";

    fakeHost.windowAbove = 12;  // no title
    ticks(1);
    fakeHost.windowAbove = 13;  // a title with line breaks
    ticks(1);
    fakeHost.windowAbove = 0;  // none above
    ticks(1);
    shared.modemOnline = 1;
    fakeHost.windowAbove = 11;
    ticks(1);

    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(nameOf(lines[2]), "WINDOWS");
    EXPECT_EQ(nameOf(lines[3]), "Anteckningar");
    EXPECT_EQ(nameOf(lines[4]), "?");
    EXPECT_EQ(nameOf(lines[5]), "Rad 1  Rad 2 slut ~");
    EXPECT_EQ(nameOf(lines[6]), "* ?");
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(lines[1 + n].substr(0, 14), blanks(13) + std::to_string(n));
    EXPECT_NE(readFile(texts::stateFileName).find("\n1206   =Applikationer"), std::string::npos);
}

TEST_F(TimeLog, NoFileWorkBeforeStartUpIsComplete)
{
    fakeHost.windowAbove = 11;
    ticks(3);
    EXPECT_FALSE(exists(texts::logFileName));
    EXPECT_EQ(readFile(texts::stateFileName).substr(0, 3), "56 ");
    shell.startupComplete = true;
    ticks(1);
    EXPECT_NE(readFile(texts::logFileName).find("Uppstart nr=  57"), std::string::npos);
}

TEST_F(TimeLog, LogThatCannotBeOpenedNeitherCountsNorSavesAndIsRetriedEachSecond)
{
    shell.startupComplete = true;
    const std::string stored = readFile(texts::stateFileName);
    std::filesystem::create_directory(texts::logFileName);
    fakeHost.windowAbove = 11;
    int ticksInBox = 0;
    fakeHost.whileMessageBoxOpen = [&] {
        for (int i = 0; i < 20; ++i, ++ticksInBox)
            ticks(1);
    };
    ticks(20);
    ASSERT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(fakeHost.messages[0].text, texts::logNotWrittenMessage);
    EXPECT_EQ(fakeHost.messages[0].caption, "FELMEDDELANDE");
    EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::error);
    EXPECT_EQ(ticksInBox, 20);
    EXPECT_EQ(shared.loggedWindowAbove, 0u);
    EXPECT_EQ(timeLog.logHeaderWritten, 0);
    EXPECT_EQ(stateFile.appCount, 0) << "a try that wrote nothing is no record";
    EXPECT_EQ(readFile(texts::stateFileName), stored);
    EXPECT_FALSE(fakeHost.invalidations.empty()) << "the refresh went on meanwhile";

    // Another window coming above is tried at once.
    std::filesystem::remove(texts::logFileName);
    fakeHost.windowAbove = 12;
    ticks(2);
    EXPECT_EQ(shared.loggedWindowAbove, 12u);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].substr(0, 14), blanks(13) + "1") << "numbers go on without a gap";

    // A later failure is told again.
    std::filesystem::rename(texts::logFileName, "kept");
    std::filesystem::create_directory(texts::logFileName);
    fakeHost.windowAbove = 13;
    ticks(3);
    EXPECT_EQ(fakeHost.messages.size(), 2u);
}

TEST_F(TimeLog, FailedTryOfTheSameWindowWaitsASecond)
{
    shell.startupComplete = true;
    std::filesystem::create_directory(texts::logFileName);
    fakeHost.windowAbove = 11;
    ticks(1);
    std::filesystem::remove(texts::logFileName);
    ticks(9);
    EXPECT_FALSE(exists(texts::logFileName));
    ticks(1);
    EXPECT_EQ(logLines().size(), 2u);
}

TEST_F(TimeLog, FailedAppendIsCutBackAndRetriedOnALineOfItsOwn)
{
    shell.startupComplete = true;
    fakeHost.windowAbove = 11;
    fakeHost.titles = {{11, "Anteckningar"}};
    ticks(1);  // the header
    const std::string header = readFile(texts::logFileName);
    // A disk with room for only part of the record: the write goes through
    // part-way and then fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{header.size() + 40, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    ticks(10);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(readFile(texts::logFileName), header);
    EXPECT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(shared.loggedWindowAbove, 0u);
    EXPECT_STREQ(timeLog.previousTitle, "WINDOWS");

    ticks(10);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(nameOf(lines[2]), "WINDOWS");
    EXPECT_EQ(lines[2].substr(0, 14), blanks(13) + "1");
    EXPECT_EQ(shared.loggedWindowAbove, 11u);
}

TEST_F(TimeLog, RecordIsOnDiskBeforeTheStateThatCountsIt)
{
    shell.startupComplete = true;
    fakeHost.windowAbove = 11;
    ticks(1);
    fakeHost.events.clear();
    ticks(1);
    const std::vector<std::string> expected{"flush", "flush"};
    std::vector<std::string> fileEvents;
    for (const std::string& e : fakeHost.events)
        if (e == "flush")
            fileEvents.push_back(e);
    EXPECT_EQ(fileEvents, expected) << "the log's append and the state's rewrite";
    fakeHost.flushFails = true;
    fakeHost.windowAbove = 12;
    ticks(1);
    EXPECT_EQ(logLines().size(), 3u) << "a record not on disk is taken back";
}

// The end of a run: closing, the session ending, the machine going to sleep.
class RunEnd : public TimeLog {
protected:
    void SetUp() override
    {
        TimeLog::SetUp();
        shell.startupComplete = true;
        fakeHost.titles = {{11, "Anteckningar"}};
        fakeHost.windowAbove = 11;
    }
    std::string savedTotal() const
    {
        const std::string state = readFile(texts::stateFileName);
        return state.substr(state.find("=Uppstarter\n") + 12, 30);
    }
};

TEST_F(RunEnd, RunWithNothingEverAboveIsRecordedWholeOnce)
{
    fakeHost.windowAbove = 0;
    ticks(1);
    EXPECT_FALSE(exists(texts::logFileName));
    runFor(61'000);
    endRun();
    endRun();  // the session ends, then the window is destroyed
    ticks(20);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(nameOf(lines[2]), "WINDOWS");
    EXPECT_EQ(lines[2].substr(14, 18), blanks(11) + "0:01:01");
    EXPECT_EQ(readFile(texts::stateFileName).substr(0, 3), "57 ");
    EXPECT_EQ(savedTotal(), "312   =Timmar totalt\n06   =Min");
    EXPECT_NE(readFile(texts::stateFileName).find("1202   =Applikationer"), std::string::npos);
}

TEST_F(RunEnd, EndNamesTheWindowThatWasAboveAndSleepEndsUntilWaking)
{
    ticks(2);
    runFor(5000);
    endRun();  // suspend
    EXPECT_EQ(nameOf(logLines().back()), "Anteckningar");
    fakeHost.windowAbove = 12;
    ticks(5);
    EXPECT_EQ(logLines().size(), 4u) << "nothing is written while asleep";
    resumeRun();
    ticks(1);
    EXPECT_EQ(logLines().size(), 5u);
    EXPECT_EQ(nameOf(logLines().back()), "Anteckningar");
}

TEST_F(RunEnd, TotalsGrowByTheRunEvenWhenTheLogCannotBeWritten)
{
    ticks(2);
    std::filesystem::remove(texts::logFileName);
    std::filesystem::create_directory(texts::logFileName);
    const std::int32_t applications = stateFile.appCount;
    runFor(3'600'000);
    endRun();
    EXPECT_EQ(stateFile.appCount, applications);
    EXPECT_EQ(savedTotal(), "313   =Timmar totalt\n05   =Min");
}

TEST_F(RunEnd, NothingIsWrittenBeforeTheStateIsLoaded)
{
    shell.startupComplete = false;
    const std::string stored = readFile(texts::stateFileName);
    endRun();
    EXPECT_EQ(readFile(texts::stateFileName), stored);
    EXPECT_FALSE(exists(texts::logFileName));
}

}  // namespace
