// The tick's sequencing: the refresh, the port watch and the title.

#include "app/window_events.h"
#include "app/window_title.h"
#include "display/layout.h"
#include "tests/unit/persistence_fixture.h"

namespace {

// Ticks run in an empty working directory of their own, with every port
// free at start-up.
class Tick : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        shell.startupComplete = true;
        fakeHost.portOpens.assign(8, true);
        takePortInventory();
        fakeHost.probes.clear();
    }
};

TEST_F(Tick, RefreshEveryNinthPortPassEveryTenthPortFirstOnTheNinetieth)
{
    for (std::size_t t = 1; t <= 90; ++t) {
        ticks(1);
        // A refresh invalidates the fifteen value rectangles; a pass probes
        // one port, but the sixth (tick 60) is the watch's idle position 7.
        EXPECT_EQ(fakeHost.invalidations.size(), 15 * (t / 9)) << "tick " << t;
        EXPECT_EQ(fakeHost.probes.size(), t / 10 - (t >= 60)) << "tick " << t;
    }
    EXPECT_EQ(fakeHost.probes.back(), 3);
    EXPECT_EQ(fakeHost.titlesSet.back(), "Uravik 0:00:09");
    // The rectangles follow the value boxes, the on/off box taller than the
    // others.
    for (std::size_t i = 0; i < 15; ++i) {
        const host::Rect& r = fakeHost.invalidations.at(i);
        const FieldRect& box = layout::refreshedRects[i];
        EXPECT_EQ(std::make_pair(r.left, r.bottom), std::make_pair(box.x, box.y + box.height))
            << "box " << i;
    }
    const FieldRect& onOff = layout::modemStateBox;
    EXPECT_EQ(fakeHost.invalidations.at(5).bottom, onOff.y + onOff.height + 5) << "taller";
}

TEST_F(Tick, TitleFollowsTheRunOnlyInTheMainViewWhileOffLine)
{
    captureDateTime();
    ticks(9);
    shared.compactView = 1;
    ticks(9);
    shared.compactView = 0;
    fakeHost.portOpens.assign(8, false);  // the watched port is held: on line
    ticks(9);
    ASSERT_EQ(shared.modemOnline, 1);
    // On line a paint shows the run in the title, unless the settings hide
    // the right group; nothing else set it meanwhile.
    shared.editMode = 1;
    titleAfterPaint();
    shared.editMode = 0;
    titleAfterPaint();
    EXPECT_EQ(fakeHost.titlesSet,
              (std::vector<std::string>{"Uravik 0:00:00", "Internet nu 0:00:02"}));
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
    ticks(20);
    EXPECT_EQ(fakeHost.titlesSet, std::vector<std::string>{"Uravik Configuration"})
        << "set once, when the line drops";
}

}  // namespace
