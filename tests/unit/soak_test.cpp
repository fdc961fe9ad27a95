// A long run through the tick on real files: 100,000 ticks of 100 ms with the
// window above changing on every tenth, the modem going on and off line, and
// two jumps of the tick count that make the run 60 days long and take it past
// the point where a 32-bit millisecond count wraps (49.7 days). Afterwards
// every record of the log and the state file are checked against what the
// run must have produced.

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"

namespace texts = data_file_format;

namespace {

constexpr std::uint64_t msPerDay = 24 * 3600 * 1000;
constexpr int tickTotal = 100'000;
constexpr std::uint64_t startTick = 2 * msPerDay;  // the system has been up two days
constexpr std::uint64_t runLength = 60 * msPerDay;
constexpr std::uint64_t savedTotalSeconds = (312 * 60 + 5) * 60 + 48;  // the sample state's

const std::string earlierLog = std::string(170, '=') +
                               "\nWINDOWS START=  2024-03-05   07:00:00     Uppstart nr=  56" +
                               "        \n              1            0:00:01          312:05:48" +
                               "        07:00:01            0:03:12    WINDOWS\n";
// Longer than the 99 characters a record keeps of a title.
const std::string longTitle = "Ett f\xF6nster med en mycket l\xE5ng rubrik " + std::string(90, '-');
// Cycled through on every tenth tick; 0 is "no window above", 103 a window
// without a title. 104 lies above when the run starts.
const host::WindowHandle windowCycle[] = {101, 102, 0, 103, 105, 104};

std::string hms(std::uint64_t seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu",
                  static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned long long>(seconds / 60 % 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

std::string nameOf(host::WindowHandle window)
{
    const std::string title = fakeHost.titles.count(window) ? fakeHost.titles[window] : "";
    return title.empty() ? "?" : title.substr(0, 99);
}

class Soak : public PersistenceTest {
protected:
    // Durability is not what this run is about, and 10,000 forced saves
    // would take the disk half a minute: work in memory where there is room.
    void SetUp() override
    {
        PersistenceTest::SetUp();
        if (mkdtemp(memory_) != nullptr)
            std::filesystem::current_path(memory_);
        else
            memory_[0] = '\0';
    }
    void TearDown() override
    {
        PersistenceTest::TearDown();
        if (memory_[0] != '\0')
            std::filesystem::remove_all(memory_);
    }

private:
    char memory_[32] = "/dev/shm/uravik-soak-XXXXXX";
};

TEST_F(Soak, SixtyDaysOfChangesLeaveOneRecordEachAndTheRightTotals)
{
    fakeHost.titles = {{101, "Anteckningar"},
                       {102, "Kalkylator"},
                       {103, ""},
                       {104, "Utforskaren"},
                       {105, longTitle}};
    fakeHost.calendar = {124, 2, 7, 8, 5, 9};
    writeFile(texts::stateFileName, sampleState());
    writeFile(texts::logFileName, earlierLog);
    fakeHost.portOpens[2] = true;  // COM2 is free for the modem
    startUp(startTick);
    takePortInventory();

    // Each expected record: the tick it is written on, its name, on line.
    std::vector<std::tuple<std::uint64_t, std::string, bool>> expected;
    fakeHost.windowAbove = 104;
    for (int t = 1; t <= tickTotal; ++t) {
        // The second third of the ticks straddles the wrap, the last third
        // ends the 60 days.
        if (t == 40'001)
            fakeHost.tick = (1ull << 32) - 2'000'000 - 100;
        if (t == 80'001)
            fakeHost.tick = startTick + runLength - (tickTotal - 80'000) * 100;
        fakeHost.tick += 100;
        if (t % 7'000 == 0)  // the modem takes its port, later gives it back
            fakeHost.portOpens[2] = !fakeHost.portOpens[2];
        const bool online = shared.modemOnline == 1;
        if (t == 2)
            expected.emplace_back(fakeHost.tick, "WINDOWS", online);
        if (t % 10 == 0) {
            expected.emplace_back(fakeHost.tick, nameOf(fakeHost.windowAbove), online);
            fakeHost.windowAbove = windowCycle[(t / 10 - 1) % std::size(windowCycle)];
        }
        runTick();
        fakeHost.invalidations.clear();
        fakeHost.titlesSet.clear();
        fakeHost.probes.clear();
    }
    EXPECT_TRUE(fakeHost.messages.empty());

    // The earlier runs' lines are kept; this run adds its header and one
    // record per change.
    const std::string log = readFile(texts::logFileName);
    ASSERT_EQ(log.compare(0, earlierLog.size(), earlierLog), 0);
    std::istringstream lines(log.substr(earlierLog.size()));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, std::string(170, '='));
    std::getline(lines, line);
    EXPECT_EQ(line.find("WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57"), 0u);

    std::uint64_t previousTick = 0;  // the first period starts with the system
    int onlineRecords = 0;
    for (std::size_t i = 0; i < expected.size() && std::getline(lines, line); ++i) {
        const auto& [tick, name, online] = expected[i];
        const std::uint64_t run = (tick - startTick) / 1000;
        std::istringstream in(line);
        std::string columns[5];
        for (std::string& column : columns)
            in >> column;
        ASSERT_EQ(columns[0] + " " + columns[1] + " " + columns[2] + " " + columns[4],
                  std::to_string(i + 1) + " " + hms(run) + " " + hms(savedTotalSeconds + run) +
                      " " + hms((tick - previousTick) / 1000))
            << line;
        ASSERT_EQ(line.substr(static_cast<std::size_t>(in.tellg())),
                  (online ? "    * " : "    ") + name);
        previousTick = tick;
        onlineRecords += online ? 1 : 0;
    }
    EXPECT_FALSE(std::getline(lines, line)) << "no record more than expected";
    EXPECT_EQ(expected.size(), tickTotal / 10 + 1u);
    EXPECT_EQ(std::get<0>(expected.back()), startTick + runLength);
    // The modem was on line for part of the run, not all of it.
    EXPECT_GT(onlineRecords, 0);
    EXPECT_LT(onlineRecords, static_cast<int>(expected.size()) - 1);

    // The state file holds the same total and counts every save of the run.
    const std::uint64_t total = savedTotalSeconds + runLength / 1000;
    EXPECT_EQ(readFile(texts::stateFileName),
              "57   =Uppstarter\n" + std::to_string(total / 3600) + "   =Timmar totalt\n" +
                  hms(total).substr(hms(total).size() - 5, 2) + "   =Minuter totalt\n" +
                  hms(total).substr(hms(total).size() - 2) + "   =Sekunder totalt\n" +
                  std::to_string(1200 + expected.size() + 1) +
                  "   =Applikationer totalt\n4000000\n\nSlut\n");
}

}  // namespace
