#include "display/refreshed_boxes.h"

#include <cstdio>

#include "common/shared_state.h"
#include "display/display_texts.h"
#include "display/value_texts.h"

namespace {

namespace t = display_texts;

void describe(RefreshedBox& out, const FieldRect& drawn, TextPlacement placement, const char* fill,
              const char* text, const char* ink)
{
    out.drawn = drawn;
    out.placement = placement;
    out.fill = fill;
    out.ink = ink;
    std::snprintf(out.text, sizeof out.text, "%s", text);
}

// A white box with its text right-aligned, and a centred one.
void value(RefreshedBox& out, const FieldRect& drawn, const char* text, const char* ink)
{
    describe(out, drawn, TextPlacement::rightAligned, "WHITE", text, ink);
}

void centred(RefreshedBox& out, const FieldRect& drawn, const char* fill, const char* text,
             const char* ink)
{
    describe(out, drawn, TextPlacement::centred, fill, text, ink);
}

}  // namespace

void describeRefreshedBoxes(RefreshedBoxes& out)
{
    const ClockState& c = clockState;
    const bool online = shared.modemOnline == 1;
    char date[runTextSize], startup[runTextSize], now[runTextSize], total[runTextSize];
    char port[runTextSize];
    formatDateText(date, sizeof date, c.nowYearText, c.nowMonthText, c.nowDayText);
    formatTimeText(startup, sizeof startup, c.startHourText, c.startMinuteText, c.startSecondText);
    formatTimeText(now, sizeof now, c.nowHourText, c.nowMinuteText, c.nowSecondText);
    formatTimeText(total, sizeof total, c.totalHoursText, c.totalHoursLen, c.totalMinutesText,
                   c.totalMinutesLen, c.totalSecondsText, c.totalSecondsLen);
    std::snprintf(port, sizeof port, t::portFormat, shared.probedPort);
    const char* run = shownRunText();
    auto ifOnline = [online](const char* text) { return online ? text : ""; };

    RefreshedBox* b = out.box;
    value(b[0], layout::todayBox, date, "BLACK");
    value(b[1], layout::startupBox, startup, "BLACK");
    value(b[2], layout::nowBox, now, "BLACK");
    value(b[3], layout::runBox, run, "RED0");
    value(b[4], layout::totalBox, total, "RED1");
    // On line: white on red.
    centred(b[5], layout::modemStateBox, online ? "RED1" : "WHITE",
            online ? t::modemOn : t::modemOff, online ? "WHITE" : "BLACK");
    centred(b[6], layout::portBox, "WHITE", port, "BLACK");
    value(b[7], layout::onlineStartupBox, ifOnline(startup), "BLACK");
    value(b[8], layout::onlineNowBox, ifOnline(now), "BLACK");
    value(b[9], layout::onlineRunBox, ifOnline(run), "BLACK");
    centred(b[10], layout::runCostBox, "WHITE", t::fixedCost, "BLACK");
    value(b[11], layout::onlineTotalBox, ifOnline(total), "BLACK");
    centred(b[12], layout::totalCostBox, "WHITE", t::fixedCost, "BLACK");
    // The period line repeats the total.
    value(b[13], layout::periodBox, ifOnline(total), "RED1");
    centred(b[14], layout::periodCostBox, "WHITE", t::fixedCost, "RED1");
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        b[box].refreshed = layout::refreshedRects[box];
        b[box].settled = shared.editMode == 0 || box < firstRightBox;
    }
}
