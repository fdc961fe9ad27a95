#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/window_events.h"
#include "tests/unit/persistence_fixture.h"

namespace {

// Ticks run in an empty working directory of their own: a change of the
// window above writes the log and the state file there.
class Tick : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        shared.mainWindow = 77;
        shell.startupComplete = true;
        fakeHost.portOpens.assign(8, true);
        takePortInventory();
        fakeHost.events.clear();
    }
    // Runs `count` ticks, 100 ms apart, and returns what each did, with
    // repeats of the same event folded into one.
    std::vector<std::string> ticks(int count)
    {
        std::vector<std::string> log;
        for (int i = 0; i < count; ++i) {
            fakeHost.events.clear();
            fakeHost.tick += 100;
            runTick();
            std::string summary;
            std::string last;
            for (const std::string& e : fakeHost.events) {
                if (e != last)
                    summary += (summary.empty() ? "" : ";") + e;
                last = e;
            }
            log.push_back(summary);
        }
        return log;
    }
};

TEST_F(Tick, RefreshEveryNinthPortPassEveryTenthPortFirstOnTheNinetieth)
{
    const std::vector<std::string> log = ticks(90);
    for (int t = 1; t <= 90; ++t) {
        const std::string& did = log[t - 1];
        const bool refresh = did.find("invalidate") != std::string::npos;
        const bool probe = did.find("probe") != std::string::npos;
        EXPECT_EQ(refresh, t % 9 == 0) << "tick " << t;
        // The sixth pass (tick 60) is the watch's idle position 7.
        EXPECT_EQ(probe, t % 10 == 0 && t != 60) << "tick " << t;
    }
    EXPECT_EQ(log[89], "probe COM3;invalidate;title Uravik 0:00:09");
}

TEST_F(Tick, RefreshInvalidatesTheFifteenValueRectanglesWithoutErase)
{
    // Left and bottom edge of each box; the ON/OFF box (534, to 50) is taller.
    const std::pair<int, int> expected[] = {
        {140, 45},  {140, 75},  {140, 105}, {140, 135}, {140, 165},
        {534, 50},  {398, 45},  {398, 75},  {398, 105}, {398, 135},
        {534, 135}, {398, 165}, {534, 165}, {398, 195}, {534, 195},
    };
    ticks(9);
    ASSERT_EQ(fakeHost.invalidations.size(), 15u);
    for (std::size_t i = 0; i < 15; ++i) {
        const auto& r = fakeHost.invalidations[i];
        EXPECT_EQ(r.window, 77u);
        EXPECT_EQ(std::make_pair(r.left, r.bottom), expected[i]) << "box " << i;
        EXPECT_FALSE(r.erase);
    }
}

TEST_F(Tick, TitleFollowsTheRunOnlyInTheMainViewWhileOffLine)
{
    captureDateTime();
    ticks(9);
    ASSERT_EQ(fakeHost.titlesSet.size(), 1u);
    EXPECT_EQ(fakeHost.titlesSet[0], "Uravik 0:00:00");

    shared.compactView = 1;
    ticks(9);
    EXPECT_EQ(fakeHost.titlesSet.size(), 1u);

    shared.compactView = 0;
    fakeHost.portOpens.assign(8, false);  // the watched port is held: on line
    ticks(9);
    ASSERT_EQ(shared.modemOnline, 1);
    EXPECT_EQ(fakeHost.titlesSet.size(), 1u);
}

TEST_F(Tick, TheCompactViewGetsItsTitleBackWhenTheLineDrops)
{
    shared.compactView = 1;
    fakeHost.portOpens.assign(8, false);  // COM2, the first port tried, is held
    ticks(10);
    ASSERT_EQ(shared.modemOnline, 1);
    fakeHost.portOpens.assign(8, true);
    ticks(10);
    ASSERT_EQ(shared.modemOnline, 0);
    EXPECT_EQ(fakeHost.titlesSet, std::vector<std::string>{"Uravik Configuration"});
    ticks(20);
    EXPECT_EQ(fakeHost.titlesSet.size(), 1u) << "set once, when the line drops";
}

TEST_F(Tick, WindowAboveIsFetchedEveryTickAndComparedOnlyAfterStartUp)
{
    shell.startupComplete = false;
    fakeHost.windowAbove = 5;
    ticks(1);
    EXPECT_EQ(shared.windowAbove, 5u);
    EXPECT_EQ(clockState.runTextLen, 0) << "no counters update before start-up is complete";

    shell.startupComplete = true;
    ticks(1);
    EXPECT_GT(clockState.runTextLen, 0);
}

TEST_F(Tick, WritesOneRecordPerChangeOfTheWindowAbove)
{
    auto lineCount = [] {
        const std::string log = readFile("ytime.dab");
        return std::count(log.begin(), log.end(), '\n');
    };
    fakeHost.titles = {{5, "Alfa"}, {6, "Beta"}};
    ticks(5);
    EXPECT_FALSE(exists("ytime.dab")) << "nothing lies above: no file work";

    fakeHost.windowAbove = 5;
    ticks(1);
    EXPECT_EQ(lineCount(), 2) << "the run's two header lines";
    ticks(1);
    EXPECT_EQ(lineCount(), 3) << "the record for the time before the first change";
    ticks(20);
    EXPECT_EQ(lineCount(), 3) << "the same window above writes nothing";

    fakeHost.windowAbove = 6;
    ticks(3);
    fakeHost.windowAbove = 0;
    ticks(3);
    const std::string log = readFile("ytime.dab");
    EXPECT_EQ(lineCount(), 5);
    // Each record names the window that lay above until the change.
    const auto windows = log.find("WINDOWS\n");
    const auto alfa = log.find("Alfa\n");
    const auto beta = log.find("Beta\n");
    EXPECT_TRUE(windows < alfa && alfa < beta && beta != std::string::npos) << log;
    EXPECT_TRUE(exists("ysave.dab"));
}

class Fields : public Tick {};

TEST_F(Fields, ClicksSelectOnlyInEditModeAndOnlyInsideAField)
{
    fakeHost.cursor = {480, 160};
    selectFieldAtCursor();
    EXPECT_EQ(shell.selectedField, 0);

    shared.editMode = 1;
    selectFieldAtCursor();
    EXPECT_EQ(shell.selectedField, 4);
    fakeHost.cursor = {480, 240};
    selectFieldAtCursor();
    EXPECT_EQ(shell.selectedField, 5);
    fakeHost.cursor = {470, 240};
    selectFieldAtCursor();
    EXPECT_EQ(shell.selectedField, 0);
}

TEST_F(Fields, CharactersGoToTheSelectedFieldEachWithItsOwnCount)
{
    typeIntoSelectedField('9');
    EXPECT_STREQ(shared.highRateCostText, "23");
    EXPECT_STREQ(shared.modemPortText, "AUTO");

    shell.selectedField = 4;
    typeIntoSelectedField('1');
    typeIntoSelectedField('5');
    shell.selectedField = 5;
    typeIntoSelectedField('C');
    EXPECT_STREQ(shared.highRateCostText, "15");
    EXPECT_STREQ(shared.modemPortText, "C");

    // Edit mode off ("OK") keeps the selection and the typing.
    shared.editMode = 0;
    typeIntoSelectedField('2');
    EXPECT_STREQ(shared.modemPortText, "C2");
}

}  // namespace
