// A long run through the tick on real files: 100,000 ticks of 100 ms with the
// window above changing on every tenth, the modem going on and off line, and
// two jumps of the tick count that make the run 60 days long and take it past
// the point where a 32-bit millisecond count wraps (49.7 days). Afterwards
// the log and the state file are read back and checked against what the run
// must have produced.

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/port_watch.h"
#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

namespace texts = data_file_format;

namespace {

constexpr std::uint64_t msPerSecond = 1000;
constexpr std::uint64_t msPerDay = 24 * 3600 * msPerSecond;
constexpr std::uint64_t tickMs = 100;
constexpr std::uint64_t wrapOf32Bits = std::uint64_t{1} << 32;

constexpr int tickTotal = 100'000;
constexpr int changeEveryTicks = 10;
constexpr int modemToggleTicks = 7'000;
constexpr std::size_t modemPort = 2;  // COM2

// The system has been up two days when the run starts; the run lasts 60.
constexpr std::uint64_t startTick = 2 * msPerDay;
constexpr std::uint64_t runLength = 60 * msPerDay;
// The second third of the ticks straddles the wrap, the last third ends the
// 60 days.
constexpr int nearWrapFromTick = 40'001;
constexpr int lastDaysFromTick = 80'001;
constexpr std::uint64_t nearWrapStart = wrapOf32Bits - 2000 * msPerSecond;
constexpr std::uint64_t lastDaysStart =
    startTick + runLength - (tickTotal - lastDaysFromTick) * tickMs;

// What earlier runs left: 56 start-ups, 312:05:48 in all, 1200 applications.
const std::string savedState =
    "56   =Uppstarter\n312   =Timmar totalt\n05   =Minuter totalt\n48   =Sekunder totalt\n"
    "1200   =Applikationer totalt\n4000000\n\nSlut\n";
constexpr std::uint64_t savedTotalSeconds = (312 * 60 + 5) * 60 + 48;
const std::string earlierLog =
    std::string(170, '=') + "\nWINDOWS START=  2024-03-05   07:00:00     Uppstart nr=  56" +
    "        \n              1            0:00:01          312:05:48        07:00:01" +
    "            0:03:12    WINDOWS\n";

// Longer than the 99 characters a record keeps of a title.
const std::string longTitle = "Ett fönster med en mycket lång rubrik " + std::string(90, '-');
// Cycled through on every tenth tick; 0 is "no window above", 103 a window
// without a title. 104 lies above when the run starts.
const host::WindowHandle windowCycle[] = {101, 102, 0, 103, 105, 104};

struct ExpectedRecord {
    std::uint64_t tick;
    std::string name;
    bool online;
};

struct Record {
    std::uint64_t number = 0;
    std::uint64_t runSeconds = 0;
    std::uint64_t totalSeconds = 0;
    std::uint64_t periodSeconds = 0;
    bool online = false;
    std::string name;
};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// H:MM:SS in seconds; false when the text is not of that form.
bool secondsOf(const std::string& text, std::uint64_t& seconds)
{
    const std::size_t first = text.find(':');
    if (first == std::string::npos || text.size() != first + 6 || text[first + 3] != ':')
        return false;
    const std::uint64_t minutes = std::stoull(text.substr(first + 1, 2));
    const std::uint64_t secs = std::stoull(text.substr(first + 4, 2));
    if (minutes > 59 || secs > 59)
        return false;
    seconds = (std::stoull(text.substr(0, first)) * 60 + minutes) * 60 + secs;
    return true;
}

// A record line: number, run, total, clock time, period, then four blanks,
// "* " when on line, and the window's name.
bool parseRecord(const std::string& line, Record& record)
{
    std::istringstream in(line);
    std::string run, total, clock, period;
    if (!(in >> record.number >> run >> total >> clock >> period))
        return false;
    if (!secondsOf(run, record.runSeconds) || !secondsOf(total, record.totalSeconds) ||
        !secondsOf(period, record.periodSeconds))
        return false;
    std::string rest = line.substr(static_cast<std::size_t>(in.tellg()));
    if (rest.compare(0, 4, "    ") != 0)
        return false;
    rest.erase(0, 4);
    record.online = rest.compare(0, 2, texts::onlineMark) == 0;
    record.name = record.online ? rest.substr(2) : rest;
    return true;
}

std::string nameOf(host::WindowHandle window)
{
    const auto found = fakeHost.titles.find(window);
    if (found == fakeHost.titles.end() || found->second.empty())
        return texts::untitledWindowName;
    return found->second.substr(0, 99);
}

class Soak : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        // Durability is not what this run is about, and 10,000 forced saves
        // would take the disk half a minute: work in memory where the system
        // has a memory file system.
        char pattern[] = "/dev/shm/uravik-soak-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            memoryDirectory_ = pattern;
            std::filesystem::current_path(memoryDirectory_);
        }
        fakeHost.titles = {{101, "Anteckningar"},
                           {102, "Kalkylator"},
                           {103, ""},
                           {104, "Utforskaren"},
                           {105, longTitle}};
        fakeHost.calendar = {124, 2, 7, 8, 5, 9};
        writeFile(texts::stateFileName, savedState);
        writeFile(texts::logFileName, earlierLog);
    }
    void TearDown() override
    {
        PersistenceTest::TearDown();
        if (!memoryDirectory_.empty())
            std::filesystem::remove_all(memoryDirectory_);
    }
    // Start-up as the program does it, with COM2 free for the modem.
    static void startUp()
    {
        startRun(startTick);
        removeLeftoverTempFiles();
        loadState();
        checkLogSize();
        shell.startupComplete = true;
        shared.mainWindow = 77;
        fakeHost.portOpens[modemPort] = true;
        takePortInventory();
        shared.modemOnline = 0;
    }
    // Runs every tick and returns the records the run must have written:
    // "WINDOWS" on the tick after the header, then one per change.
    static std::vector<ExpectedRecord> runAllTicks()
    {
        std::vector<ExpectedRecord> expected;
        host::WindowHandle above = 104;
        fakeHost.windowAbove = above;
        std::size_t next = 0;
        for (int t = 1; t <= tickTotal; ++t) {
            if (t == nearWrapFromTick)
                fakeHost.tick = nearWrapStart - tickMs;
            if (t == lastDaysFromTick)
                fakeHost.tick = lastDaysStart - tickMs;
            fakeHost.tick += tickMs;
            // The modem takes its port, later gives it back.
            if (t % modemToggleTicks == 0)
                fakeHost.portOpens[modemPort] = !fakeHost.portOpens[modemPort];

            const bool onlineBefore = shared.modemOnline == 1;
            if (t == 2)
                expected.push_back({fakeHost.tick, texts::firstRecordName, onlineBefore});
            if (t % changeEveryTicks == 0) {
                expected.push_back({fakeHost.tick, nameOf(above), onlineBefore});
                above = windowCycle[next];
                next = (next + 1) % std::size(windowCycle);
                fakeHost.windowAbove = above;
            }
            runTick();

            // Only messages matter below; keep the fake's other records small.
            fakeHost.events.clear();
            fakeHost.invalidations.clear();
            fakeHost.titlesSet.clear();
            fakeHost.probes.clear();
        }
        return expected;
    }

private:
    std::string memoryDirectory_;
};

TEST_F(Soak, SixtyDaysOfChangesLeaveOneRecordEachAndTheRightTotals)
{
    startUp();
    const std::vector<ExpectedRecord> expected = runAllTicks();
    EXPECT_TRUE(fakeHost.messages.empty());
    ASSERT_EQ(fakeHost.tick, startTick + runLength);

    // The earlier runs' lines are kept; this run adds its header, "WINDOWS"
    // and one record per change.
    const std::string log = readFile(texts::logFileName);
    ASSERT_EQ(log.compare(0, earlierLog.size(), earlierLog), 0);
    const std::vector<std::string> lines = linesOf(log.substr(earlierLog.size()));
    ASSERT_EQ(lines.size(), 2 + expected.size());
    EXPECT_EQ(lines[0], std::string(170, '='));
    EXPECT_EQ(lines[1].find("WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57"), 0u);
    EXPECT_EQ(expected.size(), tickTotal / changeEveryTicks + 1u);

    std::uint64_t previousTick = 0;  // the first period starts with the system
    int onlineRecords = 0;
    Record record;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string& line = lines[2 + i];
        const ExpectedRecord& e = expected[i];
        ASSERT_TRUE(parseRecord(line, record)) << line;
        const std::uint64_t run = (e.tick - startTick) / msPerSecond;
        ASSERT_EQ(record.number, i + 1) << line;
        ASSERT_EQ(record.runSeconds, run) << line;
        ASSERT_EQ(record.totalSeconds, savedTotalSeconds + run) << line;
        ASSERT_EQ(record.periodSeconds, (e.tick - previousTick) / msPerSecond) << line;
        ASSERT_EQ(record.name, e.name) << line;
        ASSERT_EQ(record.online, e.online) << line;
        previousTick = e.tick;
        onlineRecords += record.online ? 1 : 0;
    }
    // The modem was on line for part of the run, not all of it.
    EXPECT_GT(onlineRecords, 0);
    EXPECT_LT(onlineRecords, static_cast<int>(expected.size()) - 1);
    // The last record comes at the end of the 60 days.
    EXPECT_EQ(record.runSeconds, runLength / msPerSecond);

    // The state file after the last change holds the same total and counts
    // every save of the run, the header's included.
    const std::vector<std::string> state = linesOf(readFile(texts::stateFileName));
    ASSERT_EQ(state.size(), 8u);
    std::uint64_t savedTotal = 0;
    const std::string savedHms = state[1].substr(0, state[1].find(' ')) + ":" +
                                 state[2].substr(0, 2) + ":" + state[3].substr(0, 2);
    ASSERT_TRUE(secondsOf(savedHms, savedTotal)) << savedHms;
    EXPECT_EQ(savedTotal, record.totalSeconds);
    EXPECT_EQ(std::stoull(state[0]), 57u);
    EXPECT_EQ(std::stoull(state[4]), 1200 + expected.size() + 1);
    EXPECT_EQ(static_cast<std::size_t>(stateFile.appCount), expected.size() + 1);
    EXPECT_EQ(state[5], "4000000");
    EXPECT_EQ(state[7], "Slut");
}

}  // namespace
