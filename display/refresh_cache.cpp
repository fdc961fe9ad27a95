#include "display/refresh_cache.h"

#include <cstdio>
#include <cstring>

#include "common/shared_state.h"
#include "display/display_texts.h"
#include "display/input_fields.h"
#include "display/value_texts.h"

namespace {

constexpr int timeNowBox = 2;
constexpr int rightTimeNowBox = 8;
constexpr int firstRightBox = 5;

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

}  // namespace

void describeRefreshedBoxes(BoxContents& out, bool fontsExist)
{
    const ClockState& c = clockState;
    const bool online = shared.modemOnline == 1;
    char date[boxContentSize], startup[boxContentSize], now[boxContentSize];
    char total[boxContentSize], port[boxContentSize];
    formatDateText(date, sizeof date, c.nowYearText, c.nowMonthText, c.nowDayText);
    formatTimeText(startup, sizeof startup, c.startHourText, c.startMinuteText, c.startSecondText);
    formatTimeText(now, sizeof now, c.nowHourText, c.nowMinuteText, c.nowSecondText);
    formatTimeText(total, sizeof total, c.totalHoursText, c.totalHoursLen, c.totalMinutesText,
                   c.totalMinutesLen, c.totalSecondsText, c.totalSecondsLen);
    std::snprintf(port, sizeof port, display_texts::portFormat, shared.probedPort);
    const char* run = c.runTextLen == 0 ? display_texts::zeroTime : c.runText;
    auto ifOnline = [online](const char* text) { return online ? text : ""; };

    const char* shown[layout::refreshedBoxCount] = {
        date,
        startup,
        now,
        run,
        total,
        online ? display_texts::modemOn : display_texts::modemOff,
        port,
        ifOnline(startup),
        ifOnline(now),
        ifOnline(run),
        display_texts::fixedCost,
        ifOnline(total),
        display_texts::fixedCost,
        ifOnline(total),
        display_texts::fixedCost,
    };
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        std::snprintf(out.text[box], boxContentSize, "%c%s", fontsExist ? 'F' : 'S', shown[box]);
        out.settled[box] = shared.editMode == 0 || box < firstRightBox;
    }
}

void invalidateRefreshedBoxes(host::WindowHandle window)
{
    if (!refreshCache.enabled) {
        for (const FieldRect& r : layout::refreshedRects)
            invalidateField(window, nullptr, r.x, r.y, r.width, r.height, 1);
        return;
    }
    BoxContents shown;
    describeRefreshedBoxes(shown, refreshCache.fontsExisted);
    host::Rect rects[layout::refreshedBoxCount];
    int count = 0;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        const bool same = refreshCache.known[box] && shown.settled[box] &&
                          std::strcmp(shown.text[box], refreshCache.knownText[box]) == 0;
        if (!same || showsTimeNow(box))
            rects[count++] = asRect(layout::refreshedRects[box]);
    }
    host::invalidateRects(window, rects, count);
    refreshCache.refreshPending = true;
}

void completePendingRefresh(host::WindowHandle window, const BoxContents& shown)
{
    if (!refreshCache.enabled || !refreshCache.refreshPending)
        return;
    refreshCache.refreshPending = false;
    // Every box the refresh left out was known then; those that changed
    // since are added now.
    host::Rect rects[layout::refreshedBoxCount];
    int count = 0;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        if (refreshCache.known[box] &&
            std::strcmp(shown.text[box], refreshCache.knownText[box]) != 0)
            rects[count++] = asRect(layout::refreshedRects[box]);
    }
    if (count > 0)
        host::invalidateRects(window, rects, count);
}

void recordPaintedBoxes(const BoxContents& shown,
                        const Coverage (&coverage)[layout::refreshedBoxCount])
{
    RefreshCache& cache = refreshCache;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        if (coverage[box] == Coverage::none)
            continue;
        const bool same = std::strcmp(shown.text[box], cache.knownText[box]) == 0;
        if (!shown.settled[box]) {
            cache.known[box] = false;
        } else if (coverage[box] == Coverage::whole) {
            cache.known[box] = true;
            std::memcpy(cache.knownText[box], shown.text[box], boxContentSize);
        } else if (!same) {
            // Part old, part new: what the box shows is no content at all.
            cache.known[box] = false;
        }
    }
}
