#include "display/paint_window_win32.h"

#include <cstdio>
#include <initializer_list>

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "display/box_coverage_win32.h"
#include "display/display_texts.h"
#include "display/fonts_win32.h"
#include "display/paint_forms_win32.h"
#include "display/paint_state.h"
#include "display/refresh_cache.h"
#include "display/settings_block_win32.h"
#include "display/value_texts.h"
#include "timekeeping/clock.h"

namespace {

namespace t = display_texts;
using paint_forms::darkRedLabel;
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
    selectFont(dc, fonts.headingFont);
    darkRedLabel(dc, 27, 5, t::leftHeading);
    darkRedLabel(dc, 290, 5, t::rightHeading);
    releaseFont(dc, fonts.headingFont);
}

void paintLeftValues(HDC dc)
{
    ClockState& c = clockState;
    char* field = paintState.fieldText;
    const std::size_t size = sizeof paintState.fieldText;

    formatDateText(field, size, c.nowYearText, c.nowMonthText, c.nowDayText);
    valueRightAligned(dc, 140, 30, 100, 15, field, "BLACK");
    formatTimeText(field, size, c.startHourText, c.startMinuteText, c.startSecondText);
    valueRightAligned(dc, 140, 60, 100, 15, field, "BLACK");
    copyTimeNow();
    formatTimeText(field, size, c.clockHourText, c.clockMinuteText, c.clockSecondText);
    valueRightAligned(dc, 140, 90, 100, 15, field, "BLACK");
    valueRightAligned(dc, 140, 120, 100, 15, shownRunText(), "RED0");
    formatTotalText(field, size);
    valueRightAligned(dc, 140, 150, 100, 15, field, "RED1");
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
    const bool online = portWatch.modemOnline == 1;
    char fixedCost[8];
    copyText(fixedCost, t::fixedCost);

    formatPortText(portWatch.probedPort);
    valueCentred(dc, 398, 30, 100, 15, "WHITE", p.comText, "BLACK");
    chooseModemStateTexts(portWatch.modemOnline);
    valueCentred(dc, 534, 30, 50, 15, p.modemStateFill, p.modemStateText, p.modemStateInk);

    p.fieldText[0] = '\0';
    if (online)
        formatTimeText(p.fieldText, sizeof p.fieldText, c.startHourText, c.startMinuteText,
                       c.startSecondText);
    valueRightAligned(dc, 398, 60, 100, 15, p.fieldText, "BLACK");

    if (online) {
        copyTimeNow();
        formatTimeText(p.fieldText, sizeof p.fieldText, c.clockHourText, c.clockMinuteText,
                       c.clockSecondText);
    }
    valueRightAligned(dc, 398, 90, 100, 15, p.fieldText, "BLACK");

    if (online) {
        copyText(p.fieldText, shownRunText());
        formatInternetTitle(p.fieldText);
        SetWindowTextA(window, c.titleText);
    }
    valueRightAligned(dc, 398, 120, 100, 15, p.fieldText, "BLACK");
    valueCentred(dc, 534, 120, 50, 15, "WHITE", fixedCost, "BLACK");

    if (online)
        formatTotalText(p.fieldText, sizeof p.fieldText);
    valueRightAligned(dc, 398, 150, 100, 15, p.fieldText, "BLACK");
    valueCentred(dc, 534, 150, 50, 15, "WHITE", fixedCost, "BLACK");

    // The period line repeats the total.
    valueRightAligned(dc, 398, 180, 100, 15, p.fieldText, "RED1");
    valueCentred(dc, 534, 180, 50, 15, "WHITE", fixedCost, "RED1");

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
    drawGroupFrame(dc, 23, 243, 223, 27, "O", 0, 0);
    drawGroupFrame(dc, 85, 188, 103, 27, "O", 0, 0);
    drawGroupFrame(dc, 556, 236, 53, 27, "O", 0, 0);
}

}  // namespace

void paintClientArea(HDC dc, HWND window)
{
    drawGroupFrame(dc, 14, 20, 240, 215, "U", 113, 0);
    drawGroupFrame(dc, 272, 20, 357, 250, "U", 138, 0);
    paintHeadings(dc);

    selectFont(dc, fonts.textFont);
    paintLeftValues(dc);
    if (shell.editMode == 0)
        paintLiveBlock(dc, window);
    paintLeftLabels(dc);
    if (shell.editMode != 0)
        paintSettingsBlock(dc);
    releaseFont(dc, fonts.textFont);

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
    const bool fontsExist = fonts.textFont != nullptr;
    refreshCache.fontsExisted = fontsExist;
    BoxContents shown;
    describeRefreshedBoxes(shown, fontsExist);
    completePendingRefresh(reinterpret_cast<host::WindowHandle>(window), shown);

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintClientArea(dc, window);
    Coverage coverage[refreshedBoxCount];
    measureBoxCoverage(window, dc, coverage);
    EndPaint(window, &paint);
    recordPaintedBoxes(shown, coverage);
}
