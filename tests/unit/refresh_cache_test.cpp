// The refresh cache's decisions: which boxes a refresh repaints, which a
// late paint adds, and which a paint leaves known.

#include <algorithm>
#include <utility>
#include <vector>

#include "display/refresh_cache.h"
#include "tests/unit/persistence_fixture.h"

namespace {

using Boxes = std::vector<int>;
const Boxes all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

// The boxes invalidated since the last call, by index; no two boxes share
// a top left corner.
Boxes invalidatedBoxes()
{
    Boxes boxes;
    for (const host::Rect& r : std::exchange(fakeHost.invalidations, {}))
        for (int box = 0; box < layout::refreshedBoxCount; ++box)
            if (r.left == layout::refreshedRects[box].x && r.top == layout::refreshedRects[box].y)
                boxes.push_back(box);
    return boxes;
}

Boxes refresh()
{
    invalidateRefreshedBoxes(77);
    return invalidatedBoxes();
}

void paint(const RefreshedBoxes& shown, Coverage each, bool fonts = true)
{
    Coverage coverage[layout::refreshedBoxCount];
    std::fill_n(coverage, layout::refreshedBoxCount, each);
    recordPaintedBoxes(shown, fonts, coverage);
}

using RefreshCacheTest = FreshState;

TEST_F(RefreshCacheTest, OnlyBoxesWhollyPaintedWithTheirContentAreLeftAlone)
{
    RefreshedBoxes now;
    describeRefreshedBoxes(now);
    refreshCache.enabled = false;
    EXPECT_EQ(refresh(), all) << "off: every box, one by one";
    refreshCache.enabled = true;
    EXPECT_EQ(refresh(), all) << "nothing known yet";
    paint(now, Coverage::whole);
    EXPECT_EQ(refresh(), (Boxes{timeNowBox}));

    RefreshedBoxes changed = now;
    changed.box[0].text[0] = 'X';
    changed.box[1].settled = false;
    paint(changed, Coverage::none);
    EXPECT_EQ(refresh(), (Boxes{timeNowBox})) << "a paint that covered no box";
    paint(changed, Coverage::partial);  // box 3 and on stay as they were
    EXPECT_EQ(refresh(), (Boxes{0, 1, timeNowBox}));
    paint(changed, Coverage::whole);
    EXPECT_EQ(refresh(), (Boxes{0, 1, timeNowBox})) << "an unsettled box is never known";

    // Going on line changes the right group: painted only in part, its boxes
    // show neither the old content nor the new.
    shared.modemOnline = 1;
    describeRefreshedBoxes(now);
    paint(now, Coverage::partial);
    EXPECT_EQ(refresh(), (Boxes{0, 1, timeNowBox, 5, 7, rightTimeNowBox, 9, 11, 13}));
    paint(now, Coverage::whole, false);
    paint(now, Coverage::none);  // notes that the fonts exist, and no box
    EXPECT_EQ(refresh(), all) << "the fonts came";
    paint(now, Coverage::whole);
    EXPECT_EQ(refresh(), (Boxes{timeNowBox, rightTimeNowBox}));
}

TEST_F(RefreshCacheTest, ALatePaintAddsTheKnownBoxesThatChangedSinceTheRefresh)
{
    RefreshedBoxes now;
    describeRefreshedBoxes(now);
    paint(now, Coverage::whole);
    RefreshedBoxes changed = now;
    changed.box[4].text[0] = 'X';
    const auto latePaint = [](const RefreshedBoxes& shown, bool fonts = true) {
        completePendingRefresh(77, shown, fonts);
        return invalidatedBoxes();
    };
    EXPECT_EQ(latePaint(changed), Boxes{}) << "no refresh pending";
    refresh();
    EXPECT_EQ(latePaint(now), Boxes{}) << "nothing changed";
    refresh();
    EXPECT_EQ(latePaint(changed), (Boxes{4}));
    EXPECT_EQ(latePaint(changed), Boxes{}) << "once per refresh";
    refresh();
    EXPECT_EQ(latePaint(now, false), all) << "the fonts went";
}

}  // namespace
