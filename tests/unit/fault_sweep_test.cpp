// Fails each file call of one record and of one start-up in turn, on real
// files: a first run without failures counts the calls, then the operation
// runs again once per call with that call failing. After each failure
// ysave.dab, ytime.dab and yhist.dab must hold their earlier content or their
// complete new content, the failure must have been told, and the program must
// go on: the next records are written and the next start-up counts on.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/file_call_faults.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

// The data files' names, and the messages about them.
namespace texts {
using namespace data_file_format;
using namespace persistence_texts;
}  // namespace texts
namespace faults = file_call_faults;

namespace {

constexpr std::uint64_t startTick = 3 * 60 * 1000;

// Two earlier runs, well over 1000 bytes.
std::string earlierLog()
{
    std::string log;
    for (int run = 56; run >= 55; --run) {
        log += std::string(170, '=') + "\nWINDOWS START=  2024-03-0" + std::to_string(run % 10) +
               "   07:00:00     Uppstart nr=  " + std::to_string(run) + "        \n";
        for (int n = 1; n <= 4; ++n)
            log += "             " + std::to_string(n) + "           0:00:0" + std::to_string(n) +
                   "       312:05:4" + std::to_string(n) + "        07:00:0" + std::to_string(n) +
                   "           0:00:01    Anteckningar\n";
    }
    return log;
}

const std::string earlierHistory = "HISTORIA\nan earlier log\n";

struct Files {
    std::string state, log, history;
};

std::string describe(int n, const faults::FileCall& call)
{
    std::ostringstream text;
    text << "call " << n << " fails: " << call.name << " of " << call.file;
    if (!call.mode.empty())
        text << " (\"" << call.mode << "\")";
    return text.str();
}

// Failures with nothing to tell: a leftover temporary file that stays, and a
// close after the stream was read, after the record was flushed into the log
// or after the log was emptied. A rewrite whose temporary file cannot be
// closed is not put in place, and that is told.
// A state file that cannot be opened is tried again, and so is the size
// lookup a record makes to cut a failed append back.
bool isTold(const faults::FileCall& call)
{
    if (call.name == "remove" || (call.name == "fopen" && call.mode == "r+"))
        return false;
    if (call.file == texts::stateFileName && call.mode == "rb")
        return false;  // the look at what the file holds; the line reads tell
    if (call.name == "findFileSize" && call.file == texts::logFileName)
        return false;
    return call.name != "fclose" || call.file == texts::stateTempFileName ||
           call.file == texts::historyTempFileName;
}

bool contains(const std::vector<faults::FileCall>& calls, const char* name, const char* file)
{
    for (const faults::FileCall& call : calls) {
        if (call.name == name && call.file == file)
            return true;
    }
    return false;
}

// The log lines after `earlier` that are records, by the name they end with.
std::vector<std::string> recordNames(const std::string& log, std::size_t earlier)
{
    std::vector<std::string> names;
    std::istringstream in(log.substr(earlier));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '=' || line.compare(0, 8, "WINDOWS ") == 0)
            continue;
        names.push_back(line.substr(line.rfind("    ") + 4));
    }
    return names;
}

// The record numbers of those lines, in order.
std::vector<long> recordNumbers(const std::string& log, std::size_t earlier)
{
    std::vector<long> numbers;
    std::istringstream in(log.substr(earlier));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == ' ')
            numbers.push_back(std::stol(line));
    }
    return numbers;
}

class FaultSweep : public PersistenceTest {
protected:
    // A new folder and a freshly loaded program, for the next failure.
    void freshFolder()
    {
        PersistenceTest::TearDown();
        PersistenceTest::SetUp();
    }

    // A new process in the same folder, on the same system clock.
    static void restartProgram()
    {
        resetProgramState();
        fakeHost.messages.clear();
    }

    static void startUp()
    {
        captureDateTime();
        removeLeftoverTempFiles();
        loadState();
        checkLogSize();
        shell.startupComplete = true;
        shared.mainWindow = 77;
    }

    static void tickWith(host::WindowHandle window)
    {
        fakeHost.windowAbove = window;
        fakeHost.tick += 100;
        runTick();
    }

    // The three files as they are; none of them may have gone missing.
    static Files snapshot()
    {
        EXPECT_TRUE(exists(texts::stateFileName));
        EXPECT_TRUE(exists(texts::logFileName));
        EXPECT_TRUE(exists(texts::historyFileName));
        return {readFile(texts::stateFileName), readFile(texts::logFileName),
                readFile(texts::historyFileName)};
    }

    static void writeFiles(const char* sizeSetting)
    {
        writeFile(texts::stateFileName, sampleState("\n", sizeSetting));
        writeFile(texts::logFileName, earlierLog());
        writeFile(texts::historyFileName, earlierHistory);
        fakeHost.titles = {{101, "Anteckningar"}, {102, "Kalkylator"}, {103, "Utforskaren"}};
        fakeHost.tick = startTick;
    }

    // A run under way: started, its header and "WINDOWS" written, 101 above
    // for five seconds. The record under test is the change to 102.
    static void prepareRunUnderWay()
    {
        writeFiles("4000000");
        startUp();
        tickWith(101);
        tickWith(101);
        fakeHost.tick += 5000;
    }

    // Start-up of a program whose log has outgrown its size setting, after
    // a crash left both temporary files behind.
    static void prepareStartUp()
    {
        writeFiles("1000");
        writeFile(texts::stateTempFileName, "56   =Uppst");
        writeFile(texts::historyTempFileName, "HISTORIA\n====");
    }

    static void expectOneBox(const faults::FileCall& call, bool told)
    {
        ASSERT_EQ(fakeHost.messages.size(), told ? 1u : 0u);
        if (told) {
            const bool stateAtStartUp = call.file == texts::stateFileName && call.mode == "r+";
            EXPECT_EQ(fakeHost.messages[0].caption,
                      stateAtStartUp ? texts::startupCaption : texts::errorCaption);
        }
    }

    // The run goes on and the next start-up carries on from what it saved.
    static void expectTheCountersCountOn()
    {
        EXPECT_FALSE(exists(texts::stateTempFileName));
        EXPECT_FALSE(exists(texts::historyTempFileName));
        const int startups = stateFile.startupCount;
        const std::int64_t applications = stateFile.savedAppTotal + stateFile.appCount;
        const std::string totals = std::string(clockState.totalHoursText) + ":" +
                                   clockState.totalMinutesText + ":" + clockState.totalSecondsText;
        restartProgram();
        startUp();
        EXPECT_TRUE(fakeHost.messages.empty());
        EXPECT_EQ(stateFile.startupCount, startups + 1);
        EXPECT_EQ(stateFile.savedAppTotal, applications);
        EXPECT_EQ(std::to_string(clockState.savedHours) + ":" +
                      std::to_string(clockState.savedMinutes) + ":" +
                      std::to_string(clockState.savedSeconds),
                  totals);
    }
};

TEST_F(FaultSweep, EveryFailingCallOfARecordLeavesWholeFilesAndIsTold)
{
    prepareRunUnderWay();
    const Files before = snapshot();
    faults::arm(0);
    tickWith(102);
    const std::vector<faults::FileCall> calls = faults::disarm();
    const Files after = snapshot();
    ASSERT_TRUE(fakeHost.messages.empty());
    ASSERT_NE(after.log, before.log);
    ASSERT_NE(after.state, before.state);
    // The wrappers see the calls: the append and the save's replace.
    ASSERT_TRUE(contains(calls, "fopen", texts::logFileName));
    ASSERT_TRUE(contains(calls, "replaceFile", texts::stateFileName));

    for (std::size_t n = 1; n <= calls.size(); ++n) {
        SCOPED_TRACE(describe(static_cast<int>(n), calls[n - 1]));
        freshFolder();
        prepareRunUnderWay();
        faults::arm(static_cast<int>(n));
        tickWith(102);
        ASSERT_GE(faults::disarm().size(), n);

        const Files now = snapshot();
        EXPECT_TRUE(now.log == before.log || now.log == after.log) << now.log;
        EXPECT_TRUE(now.state == before.state || now.state == after.state) << now.state;
        EXPECT_EQ(now.history, before.history);
        expectOneBox(calls[n - 1], isTold(calls[n - 1]));

        // The same window stays above a second, then 103 comes: each period
        // is recorded once, the one whose record failed included.
        fakeHost.messages.clear();
        fakeHost.tick += 1000;
        tickWith(102);
        tickWith(103);
        EXPECT_TRUE(fakeHost.messages.empty());
        const std::string log = readFile(texts::logFileName);
        const std::size_t earlier = earlierLog().size();
        EXPECT_EQ(recordNames(log, earlier),
                  (std::vector<std::string>{"WINDOWS", "Anteckningar", "Kalkylator"}));
        const std::vector<long> numbers = recordNumbers(log, earlier);
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()) &&
                    std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end());
        expectTheCountersCountOn();
    }
}

TEST_F(FaultSweep, EveryFailingCallOfAStartUpKeepsTheLogSomewhereAndIsTold)
{
    prepareStartUp();
    const Files before = snapshot();
    faults::arm(0);
    startUp();
    const std::vector<faults::FileCall> calls = faults::disarm();
    const Files after = snapshot();
    ASSERT_TRUE(fakeHost.messages.empty());
    ASSERT_EQ(after.log, "");
    ASSERT_EQ(after.history, "HISTORIA\r\n" + before.log);
    ASSERT_TRUE(contains(calls, "remove", texts::historyTempFileName));
    ASSERT_TRUE(contains(calls, "fgets", texts::stateFileName));
    ASSERT_TRUE(contains(calls, "replaceFile", texts::historyFileName));

    for (std::size_t n = 1; n <= calls.size(); ++n) {
        SCOPED_TRACE(describe(static_cast<int>(n), calls[n - 1]));
        freshFolder();
        prepareStartUp();
        faults::arm(static_cast<int>(n));
        startUp();
        ASSERT_GE(faults::disarm().size(), n);

        // Start-up never writes the state (a state file it could not read
        // whole is kept aside); the log is emptied only once the history
        // holds it.
        if (!exists(texts::stateFileName)) {
            EXPECT_EQ(readFile("ysave.old"), before.state);
            writeFile(texts::stateFileName, before.state);
        }
        const Files now = snapshot();
        EXPECT_EQ(now.state, before.state);
        EXPECT_TRUE(now.history == before.history || now.history == after.history);
        EXPECT_TRUE(now.log == before.log ||
                    (now.log == after.log && now.history == after.history));
        const faults::FileCall& call = calls[n - 1];
        // A read that fails after the last byte was copied costs nothing.
        const bool copiedWhole = call.name == "fread" && now.history == after.history;
        expectOneBox(call, (isTold(call) && !copiedWhole) ||
                               (call.name == "findFileSize" && call.file == texts::logFileName));

        // The run goes on: header, "WINDOWS" and a record, and the earlier
        // log is still in the log or in the history.
        fakeHost.messages.clear();
        tickWith(101);
        tickWith(101);
        tickWith(102);
        EXPECT_TRUE(fakeHost.messages.empty());
        const Files ran = snapshot();
        EXPECT_NE((ran.log + ran.history).find(before.log), std::string::npos);
        const std::size_t runStart = ran.log.rfind(std::string(170, '='));
        ASSERT_NE(runStart, std::string::npos);
        EXPECT_EQ(recordNames(ran.log, runStart),
                  (std::vector<std::string>{"WINDOWS", "Anteckningar"}));
        expectTheCountersCountOn();
    }
}

// The end of a run (close, end of session, sleep): whichever call fails, the
// files are old or whole, and the state holds the whole run unless the user
// was told it could not be saved.
TEST_F(FaultSweep, EveryFailingCallOfTheEndOfARunLeavesWholeFiles)
{
    const auto totals = [](const std::string& state) {
        return state.substr(0, state.find("   =Applikationer"));
    };
    prepareRunUnderWay();
    const Files before = snapshot();
    faults::arm(0);
    endRun();
    const std::vector<faults::FileCall> calls = faults::disarm();
    const Files after = snapshot();
    ASSERT_TRUE(fakeHost.messages.empty());
    ASSERT_NE(after.log, before.log);
    ASSERT_NE(totals(after.state), totals(before.state));

    for (std::size_t n = 1; n <= calls.size(); ++n) {
        SCOPED_TRACE(describe(static_cast<int>(n), calls[n - 1]));
        freshFolder();
        prepareRunUnderWay();
        faults::arm(static_cast<int>(n));
        endRun();
        ASSERT_GE(faults::disarm().size(), n);

        const Files now = snapshot();
        EXPECT_TRUE(now.log == before.log || now.log == after.log) << now.log;
        EXPECT_EQ(now.state.substr(now.state.size() - 5), "Slut\n");
        EXPECT_LE(fakeHost.messages.size(), 1u);
        if (totals(now.state) == totals(after.state))
            expectTheCountersCountOn();
        else
            EXPECT_EQ(captions(), std::vector<std::string>{texts::errorCaption}) << now.state;
    }
}

}  // namespace
