#include "display/paint_window_win32.h"

#include <cstdio>
#include <initializer_list>

#include "common/shared_state.h"
#include "display/box_coverage_win32.h"
#include "display/display_texts.h"
#include "display/fonts_win32.h"
#include "display/paint_forms_win32.h"
#include "display/paint_state.h"
#include "display/refresh_cache.h"
#include "display/settings_block_win32.h"
#include "display/value_texts.h"
#include "host/window_handle_win32.h"
#include "timekeeping/clock.h"

namespace {

namespace t = display_texts;
using paint_forms::darkRedLabel;
using paint_forms::frame;
using paint_forms::label;
using paint_forms::valueCentred;
using paint_forms::valueRightAligned;

template <std::size_t N>
void copyText(char (&to)[N], const char* from)
{
    std::snprintf(to, N, "%s", from);
}

void formatTotalText(char* out, std::size_t outSize)
{
    const ClockState& c = clockState;
    formatTimeText(out, outSize, c.totalHoursText, c.totalHoursLen, c.totalMinutesText,
                   c.totalMinutesLen, c.totalSecondsText, c.totalSecondsLen);
}

void paintHeadings(HDC dc)
{
    selectFont(dc, fonts.headingFont.get());
    darkRedLabel(dc, 27, 5, t::leftHeading);
    darkRedLabel(dc, 290, 5, t::rightHeading);
    releaseFont(dc, fonts.headingFont.get());
}

void paintLeftValues(HDC dc)
{
    ClockState& c = clockState;
    char* field = paintState.fieldText;
    const std::size_t size = sizeof paintState.fieldText;

    formatDateText(field, size, c.nowYearText, c.nowMonthText, c.nowDayText);
    valueRightAligned(dc, layout::todayBox, field, "BLACK");
    formatTimeText(field, size, c.startHourText, c.startMinuteText, c.startSecondText);
    valueRightAligned(dc, layout::startupBox, field, "BLACK");
    copyTimeNow();
    formatTimeText(field, size, c.clockHourText, c.clockMinuteText, c.clockSecondText);
    valueRightAligned(dc, layout::nowBox, field, "BLACK");
    valueRightAligned(dc, layout::runBox, shownRunText(), "RED0");
    formatTotalText(field, size);
    valueRightAligned(dc, layout::totalBox, field, "RED1");
}

void paintRightLabels(HDC dc)
{
    label(dc, 285, 30, t::modemStatusLabel);
    label(dc, 285, 60, t::startupLabel);
    label(dc, 285, 90, t::nowLabel);
    label(dc, 285, 120, t::runLabel);
    label(dc, 285, 150, t::totalLabel);
    darkRedLabel(dc, 285, 180, t::periodLabel);
    for (int y : {120, 150, 180})
        label(dc, 507, y, t::comesToLabel);
    for (int y : {120, 150, 180})
        label(dc, 590, y, t::kronorLabel);
}

// The right group while edit mode is off: port, ON/OFF, and the times,
// which show only while the modem is on line (empty white boxes otherwise).
void paintLiveBlock(HDC dc, HWND window)
{
    ClockState& c = clockState;
    PaintState& p = paintState;
    const bool online = shared.modemOnline == 1;
    char fixedCost[8];
    copyText(fixedCost, t::fixedCost);

    formatPortText(shared.probedPort);
    valueCentred(dc, layout::portBox, "WHITE", p.comText, "BLACK");
    chooseModemStateTexts(shared.modemOnline);
    valueCentred(dc, layout::modemStateBox, p.modemStateFill, p.modemStateText, p.modemStateInk);

    p.fieldText[0] = '\0';
    if (online)
        formatTimeText(p.fieldText, sizeof p.fieldText, c.startHourText, c.startMinuteText,
                       c.startSecondText);
    valueRightAligned(dc, layout::onlineStartupBox, p.fieldText, "BLACK");

    if (online) {
        copyTimeNow();
        formatTimeText(p.fieldText, sizeof p.fieldText, c.clockHourText, c.clockMinuteText,
                       c.clockSecondText);
    }
    valueRightAligned(dc, layout::onlineNowBox, p.fieldText, "BLACK");

    if (online) {
        copyText(p.fieldText, shownRunText());
        formatInternetTitle(p.fieldText);
        SetWindowTextA(window, c.titleText);
    }
    valueRightAligned(dc, layout::onlineRunBox, p.fieldText, "BLACK");
    valueCentred(dc, layout::runCostBox, "WHITE", fixedCost, "BLACK");

    if (online)
        formatTotalText(p.fieldText, sizeof p.fieldText);
    valueRightAligned(dc, layout::onlineTotalBox, p.fieldText, "BLACK");
    valueCentred(dc, layout::totalCostBox, "WHITE", fixedCost, "BLACK");

    // The period line repeats the total.
    valueRightAligned(dc, layout::periodBox, p.fieldText, "RED1");
    valueCentred(dc, layout::periodCostBox, "WHITE", fixedCost, "RED1");

    paintRightLabels(dc);
}

void paintLeftLabels(HDC dc)
{
    label(dc, 27, 30, t::todayLabel);
    label(dc, 27, 60, t::startupLabel);
    label(dc, 27, 90, t::nowLabel);
    label(dc, 27, 120, t::runLabel);
    label(dc, 27, 150, t::totalLabel);
}

// Unbroken raised ridges around the buttons.
void paintButtonFrames(HDC dc)
{
    frame(dc, layout::buttonRowFrame, "O", 0);
    frame(dc, layout::timeListFrame, "O", 0);
    frame(dc, layout::editButtonFrame, "O", 0);
}

}  // namespace

void paintClientArea(HDC dc, HWND window)
{
    paint_forms::frame(dc, layout::leftGroupFrame, "U", 113);
    paint_forms::frame(dc, layout::rightGroupFrame, "U", 138);
    paintHeadings(dc);

    selectFont(dc, fonts.textFont.get());
    paintLeftValues(dc);
    if (shared.editMode == 0)
        paintLiveBlock(dc, window);
    paintLeftLabels(dc);
    if (shared.editMode != 0)
        paintSettingsBlock(dc);
    releaseFont(dc, fonts.textFont.get());

    paintButtonFrames(dc);
}

void paintWindow(HWND window)
{
    // The clock is read first: a refresh whose paint comes late may have
    // boxes to add to the update region before painting begins.
    captureDateTime();
    if (!refreshCache.enabled) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintClientArea(dc, window);
        EndPaint(window, &paint);
        return;
    }
    const bool fontsExist = fonts.textFont.get() != nullptr;
    refreshCache.fontsExisted = fontsExist;
    BoxContents shown;
    describeRefreshedBoxes(shown, fontsExist);
    completePendingRefresh(host::asWindowHandle(window), shown);

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintClientArea(dc, window);
    Coverage coverage[layout::refreshedBoxCount];
    measureBoxCoverage(window, dc, coverage);
    EndPaint(window, &paint);
    recordPaintedBoxes(shown, coverage);
}
