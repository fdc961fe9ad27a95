// ytime.dab on real files: the header and record layout byte for byte, what
// the tick writes as windows come and go above Uravik's, and failures.

#include <gmock/gmock.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "app/run_pause.h"
#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/persistence_texts.h"

using data_file_format::logFileName;
using data_file_format::stateFileName;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Box = FakeHost::Message;

namespace {

std::string blanks(std::size_t count)
{
    return std::string(count, ' ');
}

// A record line numbered `number` that names `name`. While its numbers keep
// their usual widths, the name starts in the 87th column.
auto isRecord(int number, const std::string& name)
{
    const auto nameOf = [](const std::string& record) { return record.substr(86); };
    return ::testing::AllOf(::testing::StartsWith(blanks(13) + std::to_string(number)),
                            ::testing::ResultOf(nameOf, name));
}

class TimeLog : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        // Start-up 57 on 2024-03-07 at 8:05:09, 3 min 11 s after the system
        // started, with 312:05:48 saved.
        fakeHost.calendar = {124, 2, 7, 8, 5, 9};
        writeFile(stateFileName, sampleState());
        writeFile(logFileName, "");
        startUp(191'000);
        fakeHost.titles = {{11, "Anteckningar"},
                           {12, ""},
                           {13, "Rad 1\r\nRad 2\tslut\x7f~"},
                           {14, "  tv\xE5 blanker f\xF6rst" + std::string(120, '-')}};
    }
};

TEST_F(TimeLog, HeaderAndRecordsAreLaidOutColumnByColumn)
{
    updateCounters();
    writeLogRecord();
    EXPECT_EQ(readFile(logFileName),
              std::string(170, '=') + "\n" +
                  "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \n");

    // The first record names WINDOWS, with the period since the system started.
    fakeHost.calendar = {124, 2, 7, 8, 17, 14};
    runFor(1000);
    writeLogRecord();
    EXPECT_EQ(readLines(logFileName).back(), blanks(13) + "1" + blanks(11) + "0:00:01" + blanks(7) +
                                                 "312:05:49" + blanks(8) + "08:17:14" + blanks(11) +
                                                 "0:03:12" + blanks(4) + "WINDOWS");

    // Wide numbers are written with no blank before them.
    clockState.savedHours = 123'456;
    stateFile.appCount = 1'234'567;
    runFor(12'345ull * 3'600'000);  // five-digit run and period hours
    writeLogRecord();
    EXPECT_EQ(readLines(logFileName).back(), "1234567" + blanks(3) + "12345:00:01135801:05:49" +
                                                 blanks(8) + "08:17:14" + blanks(3) +
                                                 "12345:00:00" + blanks(4) + "?");
    stateFile.appCount = 123'456;  // six digits: three blanks
    runFor(1000);
    writeLogRecord();
    EXPECT_EQ(readLines(logFileName).back().substr(0, 9), blanks(3) + "123456");
}

TEST_F(TimeLog, EachChangeOfTheWindowAboveNamesTheWindowThatLayThere)
{
    shell.startupComplete = false;
    ticksWith(11, 3);
    endRun();
    EXPECT_EQ(readFile(logFileName), "") << "no file work before start-up is complete";
    EXPECT_EQ(readFile(stateFileName), sampleState());

    shell.startupComplete = true;
    ticks(1);
    EXPECT_EQ(readLines(logFileName).size(), 2u) << "the header only";
    ticks(6);  // nothing more while the same window stays above
    // Untitled, line breaks, leading blanks and too long, none.
    for (host::WindowHandle window : {12, 13, 14, 0})
        ticksWith(window);
    shared.modemOnline = 1;
    ticksWith(11);

    EXPECT_THAT(readLines(logFileName),
                ElementsAre(_, _, isRecord(1, "WINDOWS"), isRecord(2, "Anteckningar"),
                            isRecord(3, "?"), isRecord(4, "Rad 1  Rad 2 slut ~"),
                            isRecord(5, "  tv\xE5 blanker f\xF6rst" + std::string(80, '-')),
                            isRecord(6, "* ?")));
    EXPECT_THAT(readFile(stateFileName), HasSubstr("\n1207   =Applikationer"));
}

TEST_F(TimeLog, LogThatCannotBeWrittenCountsNothingButKeepsTheTotalsAndIsRetried)
{
    // A folder in the log's place: it can be neither opened nor replaced.
    std::filesystem::remove(logFileName);
    std::filesystem::create_directory(logFileName);
    fakeHost.windowAbove = 11;
    int ticksInBox = 0;
    fakeHost.whileMessageBoxOpen = [&] {
        for (; ticksInBox < 20; ++ticksInBox)
            ticks(1);
    };
    ticks(1);
    EXPECT_THAT(fakeHost.messages, ElementsAre(Box{persistence_texts::logNotWrittenMessage,
                                                   "FELMEDDELANDE", host::MessageIcon::error}));
    EXPECT_FALSE(fakeHost.invalidations.empty()) << "the refresh went on meanwhile";
    // The start-up is saved at the first failed try, and then the run's
    // time at most once a minute, with no application counted.
    const std::string firstSave = sampleState().replace(0, 2, "57");
    EXPECT_EQ(readFile(stateFileName), firstSave);
    runFor(57'000);
    ticks(1);
    EXPECT_EQ(readFile(stateFileName), firstSave);
    runFor(1000);
    ticks(1);
    EXPECT_EQ(readFile(stateFileName),
              std::string(firstSave).replace(firstSave.find("05   =Min"), 2, "06"));

    // The same window is tried again a second after the last try.
    std::filesystem::remove(logFileName);
    ticks(9);
    EXPECT_FALSE(exists(logFileName));
    ticks(1);
    EXPECT_EQ(readLines(logFileName).size(), 2u);
    ticks(1);  // WINDOWS, with 11 above

    // 13 comes above and is closed again while the log fails: the retry
    // names the next period after 13, not after what lies above by then.
    std::filesystem::remove(logFileName);
    std::filesystem::create_directory(logFileName);
    ticksWith(13);
    EXPECT_EQ(fakeHost.messages.size(), 2u) << "another window is tried at once, and told anew";
    ticksWith(0);
    std::filesystem::remove(logFileName);
    writeFile(logFileName, "");
    ticks(12);
    ticksWith(11);
    EXPECT_THAT(readLines(logFileName),
                ElementsAre(isRecord(2, "Anteckningar"), isRecord(3, "Rad 1  Rad 2 slut ~"),
                            isRecord(4, "?")))
        << "numbers go on without a gap";
}

TEST_F(TimeLog, FailedAppendIsCutBackAndRetriedOnALineOfItsOwn)
{
    ticksWith(11);  // the header
    const std::string header = readFile(logFileName);
    // A disk with room for only part of the record: the write goes through
    // part-way and then fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{header.size() + 40, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    ticks(10);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(readFile(logFileName), header);
    EXPECT_THAT(fakeHost.messages,
                ElementsAre(testing::Field(&Box::text, persistence_texts::logNotWritableMessage)))
        << "the file is there: it cannot be written";

    ticks(10);
    EXPECT_THAT(readLines(logFileName), ElementsAre(_, _, isRecord(1, "WINDOWS")));
}

TEST_F(TimeLog, RecordNotForcedOntoTheDiskIsTakenBackBeforeTheStateCountsIt)
{
    ticksWith(11, 2);
    // The next record's first forced write is the log's: it fails.
    fakeHost.fileCallFails = [failed = false](const char* call, const char*, std::FILE*) mutable {
        return !failed && (failed = std::string(call) == "flushFileToDisk");
    };
    ticksWith(12);
    EXPECT_EQ(readLines(logFileName).size(), 3u);
    EXPECT_THAT(readFile(stateFileName), HasSubstr("\n1202   =Applikationer"));
}

// The end of a run: closing, the session ending, the machine going to sleep.
TEST_F(TimeLog, RunEndRecordsTheRunOnceAndSleepEndsItUntilWaking)
{
    runFor(61'000);
    suspendRun();
    endRunWithSession();  // asleep, then the session ends
    ticks(20);
    std::vector<std::string> lines = readLines(logFileName);
    ASSERT_EQ(lines.size(), 3u) << "nothing ever above: header and WINDOWS";
    EXPECT_EQ(lines[2].substr(14, 18), blanks(11) + "0:01:01");
    EXPECT_THAT(readFile(stateFileName), HasSubstr("=Uppstarter\n312   =Timmar totalt\n06   =Min"));

    resumeRun();  // woken up: the run goes on
    ticksWith(11);
    EXPECT_EQ(readLines(logFileName).size(), 4u);
    runFor(5000);
    suspendRun();
    ticksWith(12, 5);
    EXPECT_THAT(readLines(logFileName), ElementsAre(_, _, _, _, isRecord(3, "Anteckningar")))
        << "nothing is written while asleep";

    // The totals grow by the run even when the log cannot take it, and an
    // end within the minute after such a save saves again.
    resumeRun();
    std::filesystem::remove(logFileName);
    std::filesystem::create_directory(logFileName);
    const std::int32_t applications = stateFile.appCount;
    runFor(3'600'000);
    suspendRun();
    EXPECT_THAT(readFile(stateFileName), HasSubstr("=Uppstarter\n313   =Timmar totalt\n06   =Min"));
    resumeRun();
    runFor(30'000);
    endRun();
    endRun();
    resumeRun();
    ticks(100);
    EXPECT_EQ(stateFile.appCount, applications);
    EXPECT_THAT(readFile(stateFileName), HasSubstr("=Uppstarter\n313   =Timmar totalt\n07   =Min"));
    EXPECT_TRUE(shell.runEnded) << "a closed run stays ended";
}

// A start-up box can stay open behind other windows for hours: the state is
// loaded before it, so its ticks log and a close or the session's end
// stores the run.
TEST_F(TimeLog, StartUpBoxesLetTheRunBeLoggedAndEnded)
{
    writeFile(stateFileName, sampleState().erase(sampleState().find("\nSlut")));
    fakeHost.windowAbove = 11;
    fakeHost.whileMessageBoxOpen = [] {
        ticks(2);
        runFor(5000);
        endRun();
    };
    startUp();
    EXPECT_THAT(fakeHost.messages, ElementsAre(testing::Field(&Box::caption, "FILFEL")));
    EXPECT_THAT(readLines(logFileName), ElementsAre(_, _, _, isRecord(2, "Anteckningar")));
    EXPECT_THAT(readFile(stateFileName), HasSubstr("05   =Minuter totalt\n53   =Sek"));
}

// At the session's end no box may hold up the log-off: what failed is told
// at the next start-up, once.
TEST_F(TimeLog, TheSessionsEndShowsNoBoxAndTheNextStartUpTellsWhatFailed)
{
    std::filesystem::remove(stateFileName);
    std::filesystem::create_directory(stateFileName);
    runFor(5000);
    endSession();
    EXPECT_TRUE(fakeHost.messages.empty());
    std::filesystem::remove(stateFileName);
    writeFile(stateFileName, sampleState());
    startUp();
    EXPECT_THAT(fakeHost.messages,
                ElementsAre(Box{std::string(persistence_texts::stateNotWrittenMessage) + "\n\n",
                                "FELMEDDELANDE", host::MessageIcon::error}));
    startUp();
    EXPECT_TRUE(fakeHost.messages.empty());
}

}  // namespace
