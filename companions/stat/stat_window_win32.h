#pragma once
// The statistics window ("Statistik"): from ytime.dab and yhist.dab in the
// working directory, over a chosen period, the totals, one table (per window
// title, per application, per category, per day, per hour of the day or per
// run), the time per title, application or category as a bar chart (per
// hour as columns), and the running time of 30 days as a column chart.
// Every table and the chart's days can be copied or saved as CSV.
// What the log measures is the window lying directly above Uravik's own.

#include <windows.h>

#include "companions/engine/log_statistics.h"
#include "win32/gdi_scoped_win32.h"

enum StatControl {
    statTable = 201,
    statCopy = 202,
    statSave = 203,
    statRefresh = 204,
    statClose = 205,
    statView = 206,
    statRange = 207,
    statFrom = 208,
    statTo = 209,
    statSaveDays = 210,
    statAway = 211,
    statValueFirst = 220,  // the totals' values, in the order of statTotalCount
};
constexpr int statTotalCount = 8;

// The choices of the period box, in the order of its texts.
enum class StatRange { all, today, thisWeek, thisMonth, dates };

// Where the charts are painted, in client coordinates.
constexpr RECT statBarChartArea = {456, 44, 888, 452};
constexpr RECT statDayChartArea = {12, 462, 888, 594};

struct StatState {
    uvlog::LogStatistics stats;
    uvlog::CalendarDate today;
    uvlog::Grouping grouping = uvlog::Grouping::title;
    StatRange rangeChoice = StatRange::all;
    uvlog::DateRange range;
    bool leaveOutAway = true;

    HWND window = nullptr;
    HWND table = nullptr;
    HWND view = nullptr;
    HWND rangeBox = nullptr;
    HWND fromEdit = nullptr;
    HWND toEdit = nullptr;
    HWND awayBox = nullptr;
    HWND values[statTotalCount] = {};
    win32::OwnedGdi<HFONT> headingFont;  // made at creation, deleted at destruction
};

extern StatState statState;

bool registerStatClass(HINSTANCE instance);

HWND createStatWindow(HINSTANCE instance, int showMode);

// Reads the log files of the working directory again, over the period the
// window's choices give, and shows them. False when the two dates cannot be
// read (the figures then stay as they were).
bool refreshStatistics();

// The table shown as CSV on the clipboard (CF_TEXT); false when the clipboard
// could not be had.
bool copyTableToClipboard();

// Writes the table shown (or the 30 days of the chart) as CSV to `path`;
// false when the file could not be written.
bool saveTableAs(const char* path, bool chartDays = false);
