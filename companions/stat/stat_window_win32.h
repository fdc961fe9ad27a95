#pragma once
// The statistics window ("Statistik"): from ytime.dab and yhist.dab in the
// working directory, the totals, the time per window title as a table and a
// bar chart, and the running time of the last 30 days as a column chart. The
// table can be copied or saved as CSV.

#include <windows.h>

#include "companions/engine/log_statistics.h"

enum StatControl {
    statTable = 201,
    statCopy = 202,
    statSave = 203,
    statRefresh = 204,
    statClose = 205,
    statValueFirst = 220,  // the totals' values, in the order of statTotalCount
};
constexpr int statTotalCount = 8;

// Where the charts are painted, in client coordinates.
constexpr RECT statBarChartArea = {456, 8, 888, 452};
constexpr RECT statDayChartArea = {12, 462, 888, 594};

struct StatState {
    uvlog::LogStatistics stats;
    uvlog::CalendarDate today;

    HWND window = nullptr;
    HWND table = nullptr;
    HWND values[statTotalCount] = {};
    HFONT headingFont = nullptr;  // owned: made at creation, deleted at destruction
};

extern StatState statState;

bool registerStatClass(HINSTANCE instance);

HWND createStatWindow(HINSTANCE instance, int showMode);

// Reads the log files of the working directory again and shows them.
void refreshStatistics();

// The table as CSV on the clipboard (CF_TEXT); false when the clipboard
// could not be had.
bool copyTableToClipboard();

// Writes the table as CSV to `path`; false when the file could not be written.
bool saveTableAs(const char* path);
