#include "display/refresh_cache.h"

#include <cstdio>
#include <cstring>

#include "common/shared_state.h"
#include "display/input_fields.h"

namespace {

// The boxes that show the time now change with every second; they are
// repainted on every refresh without asking.
bool showsTimeNow(int box)
{
    return box == timeNowBox || (box == rightTimeNowBox && shared.modemOnline == 1);
}

host::Rect asRect(const FieldRect& r)
{
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

struct BoxContent {
    char text[boxContentSize];
};

BoxContent contentOf(const RefreshedBox& box, bool fontsExist)
{
    BoxContent content;
    std::snprintf(content.text, sizeof content.text, "%c%s %s %s", fontsExist ? 'F' : 'S', box.fill,
                  box.ink, box.text);
    return content;
}

bool showsKnownContent(int box, const BoxContent& content)
{
    return refreshCache.known[box] && std::strcmp(content.text, refreshCache.knownText[box]) == 0;
}

}  // namespace

void invalidateRefreshedBoxes(host::WindowHandle window)
{
    if (!refreshCache.enabled) {
        for (const FieldRect& r : layout::refreshedRects)
            invalidateField(window, r);
        return;
    }
    RefreshedBoxes shown;
    describeRefreshedBoxes(shown);
    host::Rect rects[layout::refreshedBoxCount];
    int count = 0;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        const RefreshedBox& b = shown.box[box];
        const bool same =
            b.settled && showsKnownContent(box, contentOf(b, refreshCache.fontsExisted));
        if (!same || showsTimeNow(box))
            rects[count++] = asRect(b.refreshed);
    }
    host::invalidateRects(window, rects, count);
    refreshCache.refreshPending = true;
}

void completePendingRefresh(host::WindowHandle window, const RefreshedBoxes& shown, bool fontsExist)
{
    if (!refreshCache.enabled || !refreshCache.refreshPending)
        return;
    refreshCache.refreshPending = false;
    // Every box the refresh left out was known then; those that changed
    // since are added now.
    host::Rect rects[layout::refreshedBoxCount];
    int count = 0;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        const RefreshedBox& b = shown.box[box];
        if (refreshCache.known[box] && !showsKnownContent(box, contentOf(b, fontsExist)))
            rects[count++] = asRect(b.refreshed);
    }
    if (count > 0)
        host::invalidateRects(window, rects, count);
}

void recordPaintedBoxes(const RefreshedBoxes& shown, bool fontsExist,
                        const Coverage (&coverage)[layout::refreshedBoxCount])
{
    RefreshCache& cache = refreshCache;
    cache.fontsExisted = fontsExist;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        if (coverage[box] == Coverage::none)
            continue;
        const BoxContent content = contentOf(shown.box[box], fontsExist);
        const bool same = std::strcmp(content.text, cache.knownText[box]) == 0;
        if (!shown.box[box].settled) {
            cache.known[box] = false;
        } else if (coverage[box] == Coverage::whole) {
            cache.known[box] = true;
            std::memcpy(cache.knownText[box], content.text, boxContentSize);
        } else if (!same) {
            // Part old, part new: what the box shows is no content at all.
            cache.known[box] = false;
        }
    }
}
