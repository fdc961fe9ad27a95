// Fails each file call of one record, of one start-up, of a save while the
// log cannot be written and of one line of the time away in turn, on real files: a first run
// without failures counts the calls, then the operation runs again once per call with that call
// failing. After each failure ysave.dab, ytime.dab and yhist.dab must hold their earlier content or
// their complete new content, the failure must have been told, and the program must go on: the next
// records are written and the next start-up counts on.

#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/file_call_faults.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/away_time.h"

namespace texts = data_file_format;
namespace faults = file_call_faults;
using faults::FileCall;

namespace {

// An earlier run, well over 1000 bytes.
std::string earlierLog()
{
    std::string log = std::string(170, '=') +
                      "\nWINDOWS START=  2024-03-06   07:00:00     Uppstart nr=  56        \n";
    for (int n = 1; n <= 9; ++n)
        log += "             " + std::to_string(n) +
               "           0:00:01       312:05:48        07:00:01           0:00:01    "
               "Anteckningar\n";
    return log;
}

struct Files {
    std::string state, log, history;
};

// Failures with nothing to tell: a leftover temporary file that stays, a
// state file that cannot be opened (it is tried again), the look at what it
// holds (the line reads tell), the size lookup a record makes to cut a
// failed append back, and a close after the stream was read, after the
// record was flushed into the log or after the log was emptied. A rewrite
// whose temporary file cannot be closed is not put in place, and that is told.
bool isTold(const FileCall& call)
{
    return !(call.name == "remove" || (call.name == "fopen" && call.mode == "r+") ||
             // The last session's held-back failures are a box of their own, if any.
             call.file == texts::heldNoticeFileName ||
             (call.file == texts::stateFileName && call.mode == "rb") ||
             (call.name == "findFileSize" && call.file == texts::logFileName) ||
             (call.name == "fclose" && call.file != texts::stateTempFileName &&
              call.file != texts::historyTempFileName));
}

// The state without its applications line: a save while the log fails keeps
// the run's totals and counts no application.
std::string withoutApplications(const std::string& state)
{
    return std::regex_replace(state, std::regex("\n[0-9]+   =Applikationer totalt"), "");
}

// The names the records after `from` end with; their numbers must rise.
std::vector<std::string> recordNames(const std::string& log, std::size_t from)
{
    std::vector<std::string> names;
    long last = 0;
    // Every line that starts with a blank is a record.
    const std::regex record("(?:^|\n)( [^\n]*)");
    for (std::sregex_iterator m(log.begin() + from, log.end(), record), end; m != end; ++m) {
        const std::string line = (*m)[1];
        EXPECT_GT(std::stol(line), last) << line;
        last = std::stol(line);
        names.push_back(line.substr(line.rfind("    ") + 4));
    }
    return names;
}

class FaultSweep : public PersistenceTest {
protected:
    // The three files as they are; none of them may have gone missing.
    static Files snapshot()
    {
        for (const char* name : {texts::stateFileName, texts::logFileName, texts::historyFileName})
            EXPECT_TRUE(exists(name)) << name;
        return {readFile(texts::stateFileName), readFile(texts::logFileName),
                readFile(texts::historyFileName)};
    }

    static void writeFiles(const char* sizeSetting)
    {
        faults::hold("");
        writeFile(texts::stateFileName, sampleState("\n", sizeSetting));
        writeFile(texts::logFileName, earlierLog());
        writeFile(texts::historyFileName, "HISTORIA\nan earlier log\n");
        fakeHost.titles = {{101, "Anteckningar"}, {102, "Kalkylator"}, {103, "Utforskaren"}};
    }

    // A run under way: started, its header and "WINDOWS" written, 101 above
    // for five seconds.
    static void prepareRunUnderWay()
    {
        writeFiles("4000000");
        startUp(180'000);
        ticksWith(101, 2);
        fakeHost.tick += 5000;
    }

    // The boxes told since the last look.
    static std::size_t boxesTold() { return std::exchange(fakeHost.messages, {}).size(); }

    // 102 and then 103 come above: each period is recorded once, with no
    // box, and the next start-up counts on from what the run saved.
    static void expectTheRunGoesOn(std::size_t logFrom)
    {
        ticksWith(102);
        ticksWith(103);
        EXPECT_TRUE(fakeHost.messages.empty());
        EXPECT_EQ(recordNames(readFile(texts::logFileName), logFrom),
                  (std::vector<std::string>{"WINDOWS", "Anteckningar", "Kalkylator"}));
        // The next start-up carries on from what the run saved.
        EXPECT_FALSE(exists(texts::stateTempFileName) || exists(texts::historyTempFileName));
        const auto expected =
            std::tuple(stateFile.startupCount + 1, stateFile.savedAppTotal + stateFile.appCount,
                       std::stoi(clockState.totalHoursText), std::stoi(clockState.totalMinutesText),
                       std::stoi(clockState.totalSecondsText));
        startUp(fakeHost.tick);
        EXPECT_TRUE(fakeHost.messages.empty());
        EXPECT_EQ(std::tuple(stateFile.startupCount, stateFile.savedAppTotal, clockState.savedHours,
                             clockState.savedMinutes, clockState.savedSeconds),
                  expected);
    }

    // A record, or a save while the log cannot be written: the files are old
    // or whole and the failure told. After a second more of the same window
    // the period whose record failed is recorded too.
    static void expectWholeAndEachPeriodOnce(const FileCall& call)
    {
        const Files now = snapshot();
        EXPECT_TRUE(now.log == before.log || now.log == after.log) << now.log;
        EXPECT_TRUE(now.state == before.state ||
                    withoutApplications(now.state) == withoutApplications(after.state))
            << now.state;
        EXPECT_EQ(now.history, before.history);
        EXPECT_EQ(boxesTold(), isTold(call) ? 1u : 0u);
        faults::hold("");
        fakeHost.tick += 1000;
        expectTheRunGoesOn(earlierLog().size());
    }

    // Start-up of a program whose log has outgrown its size setting, after
    // a crash left both temporary files behind.
    static void prepareStartUp()
    {
        writeFiles("1000");
        writeFile(texts::stateTempFileName, "56   =Uppst");
        writeFile(texts::historyTempFileName, "HISTORIA\n====");
        fakeHost.tick = 180'000;
    }

    // Start-up never writes the state (a state file it could not read whole
    // is kept aside); the log is emptied only once the history holds it, and
    // the run goes on with the earlier log in the log or the history.
    static void expectStartUpKeepsTheLog(const FileCall& call)
    {
        if (!exists(texts::stateFileName)) {
            EXPECT_EQ(readFile("ysave.old"), before.state);
            writeFile(texts::stateFileName, before.state);
        }
        const Files now = snapshot();
        EXPECT_EQ(now.state, before.state);
        EXPECT_TRUE(now.history == before.history || now.history == after.history);
        EXPECT_TRUE(now.log == before.log ||
                    (now.log == after.log && now.history == after.history));
        // A read that fails after the last byte was copied costs nothing; a
        // log whose size is unknown at start-up is told.
        const bool copiedWhole = call.name == "fread" && now.history == after.history;
        const bool logSizeUnknown = call.name == "findFileSize" && call.file == texts::logFileName;
        EXPECT_EQ(boxesTold(), (isTold(call) && !copiedWhole) || logSizeUnknown ? 1u : 0u);
        ticksWith(101, 2);
        const Files ran = snapshot();
        EXPECT_NE((ran.log + ran.history).find(before.log), std::string::npos);
        expectTheRunGoesOn(ran.log.rfind(std::string(170, '=')));
    }

    // A run under way with the workstation locked for a minute and a period
    // of an earlier run in yborta.dab; the operation unlocks it.
    static void prepareLockedRun()
    {
        prepareRunUnderWay();
        writeFile(texts::awayFileName, awayLine);
        noteLocked(true);
        fakeHost.tick += 60'000;
    }

    // A failure to write yborta.dab costs the log and the state nothing; it
    // is told unless the line got there, and the line goes with the next
    // period.
    static void expectTheAwayLineAlone(const FileCall& call)
    {
        const Files now = snapshot();
        EXPECT_EQ(std::tie(now.log, now.state), std::tie(before.log, before.state));
        const std::string lines = readFile(texts::awayFileName);
        const bool written = lines != awayLine;
        EXPECT_TRUE(!written || lines.size() == awayLine.size() * 2 - 3) << lines;
        EXPECT_EQ(boxesTold(), written ? 0u : 1u);
        EXPECT_EQ(written, call.name == "findFileSize" || call.name == "fclose");
        noteLocked(true);
        noteLocked(false);
        expectTheRunGoesOn(earlierLog().size());
        EXPECT_EQ(readFile(texts::awayFileName).size(), awayLine.size() * 3 - 6);
    }

    static inline const std::string awayLine =
        "2024-03-06 07:10:00  2024-03-06 07:20:00  inaktiv\n";
    // The files before the operation and after a clean run of it.
    static inline Files before, after;
};

// Runs each operation once to learn its file calls, then once per call with
// that call failing, each time in a new folder after its preparation; the
// check judges each outcome against the files before and after a clean run.
TEST_F(FaultSweep, EveryFailingFileCallLeavesWholeFilesIsToldAndTheRunGoesOn)
{
    struct Scenario {
        const char* name;
        void (*prepare)();
        void (*operation)();
        void (*check)(const FileCall&);
    };
    const Scenario scenarios[] = {
        {"a record", prepareRunUnderWay, [] { ticksWith(102); }, expectWholeAndEachPeriodOnce},
        {"a start-up", prepareStartUp, [] { startUp(fakeHost.tick); }, expectStartUpKeepsTheLog},
        // While the log cannot be written the totals are saved once a minute
        // without it.
        {"a save while the log fails",
         [] {
             prepareRunUnderWay();
             faults::hold(texts::logFileName);
             ticksWith(102);  // told, and the first save without the log
             fakeHost.messages.clear();
             fakeHost.tick += 60'000;
         },
         [] { ticksWith(102); }, expectWholeAndEachPeriodOnce},
        {"an away line", prepareLockedRun, [] { noteLocked(false); }, expectTheAwayLineAlone},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        const auto run = [&](std::size_t failAt) {
            PersistenceTest::TearDown();
            PersistenceTest::SetUp();
            scenario.prepare();
            before = snapshot();
            faults::arm(static_cast<int>(failAt));
            scenario.operation();
            return faults::disarm();
        };
        const std::vector<FileCall> calls = run(0);
        after = snapshot();
        ASSERT_TRUE(fakeHost.messages.empty());
        ASSERT_GE(calls.size(), 4u) << "the wrappers see the file calls";
        for (std::size_t n = 1; n <= calls.size() && !HasFatalFailure(); ++n) {
            const FileCall& call = calls[n - 1];
            SCOPED_TRACE("call " + std::to_string(n) + " fails: " + call.name + " of " + call.file +
                         " (\"" + call.mode + "\")");
            ASSERT_GE(run(n).size(), n);
            scenario.check(call);
        }
    }
}

}  // namespace
