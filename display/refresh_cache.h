#pragma once
// Which value boxes the 0.9 s refresh has to repaint. A box whose pixels
// already show what a paint would draw there now is left alone; the boxes
// of the time now are repainted on every refresh, so every refresh still
// paints (the on-line title follows each paint). Portable: no <windows.h>.
// Only refresh_cache.cpp writes RefreshCache.

#include "display/refreshed_boxes.h"
#include "host/host.h"

// Everything a box's pixels depend on, as text: whether the fonts exist,
// its colours and its text.
constexpr std::size_t boxContentSize = runTextSize + 20;

enum class Coverage { none, partial, whole };

struct RefreshCache {
    // Off: every refresh invalidates all boxes, one by one, as a plain
    // repaint does.
    bool enabled = true;
    // A refresh has invalidated boxes and its paint has not come yet.
    bool refreshPending = false;
    // Whether the fonts existed at the latest paint.
    bool fontsExisted = false;
    bool known[layout::refreshedBoxCount] = {};
    char knownText[layout::refreshedBoxCount][boxContentSize] = {};
};

extern RefreshCache refreshCache;

// The tick's refresh: invalidates, in one call, the boxes that show the
// time now and every box whose content differs from what it shows.
void invalidateRefreshedBoxes(host::WindowHandle window);

// The paint, once the clock is read and before painting starts: adds to the
// update region the boxes of a pending refresh whose content changed after
// the refresh looked (a paint deferred past a second or past midnight).
void completePendingRefresh(host::WindowHandle window, const RefreshedBoxes& shown,
                            bool fontsExist);

// The paint, when done: how much of each box it covered. A box is known
// only after a paint that covered it whole.
void recordPaintedBoxes(const RefreshedBoxes& shown, bool fontsExist,
                        const Coverage (&coverage)[layout::refreshedBoxCount]);
