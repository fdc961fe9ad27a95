#include "companions/stat/stat_window_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/data_file_format.h"
#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_table.h"
#include "companions/stat/stat_charts_win32.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/gdi_scoped_win32.h"

StatState statState;

namespace {

namespace texts = companion_texts;

constexpr int clientWidth = 900;
constexpr int clientHeight = 640;
constexpr int choicesTop = 10;
constexpr int totalsTop = 44;
constexpr int totalsPitch = 22;
constexpr int tableTop = totalsTop + statTotalCount * totalsPitch + 8;
constexpr int tableWidth = 430;

constexpr const char* totalLabels[statTotalCount] = {
    texts::startupsLabel,    texts::longestRunLabel,  texts::averageRunLabel,
    texts::runningTimeLabel, texts::latestTotalLabel, texts::onlineTimeLabel,
    texts::beforeStartLabel, texts::recordsLabel,
};

constexpr int mostColumns = 8;

// The pixel widths of each table's columns, in the order of uvlog::Grouping;
// what the columns are comes from the engine's table model.
constexpr int columnWidths[6][mostColumns] = {
    {215, 75, 60, 60}, {215, 75, 60, 60}, {215, 75, 60, 60},
    {120, 100, 100},   {80, 100, 80},     {72, 122, 122, 70, 52, 74, 110, 70},
};

bool rightSet(uvlog::CellKind kind)
{
    return kind != uvlog::CellKind::name && kind != uvlog::CellKind::text;
}

uvlog::CalendarDate localToday()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

// The history first, so that the latest record comes last; read a piece at
// a time, whatever their size.
uvlog::LogStatistics readStatistics(const uvlog::SummaryOptions& options)
{
    uvlog::LogSummariser summariser(options);
    uvlog::summariseFile(data_file_format::historyFileName, summariser);
    uvlog::summariseFile(data_file_format::logFileName, summariser);
    return summariser.finish();
}

std::string totalText(int index)
{
    const uvlog::LogStatistics& s = statState.stats;
    switch (index) {
        case 0:
            return uvlog::groupedNumber(s.startupCount);
        case 1:
            return uvlog::durationText(s.longestRunSeconds);
        case 2:
            return uvlog::durationText(s.averageRunSeconds);
        case 3:
            return uvlog::durationText(s.runningSeconds);
        case 4:
            return uvlog::durationText(s.latestTotalSeconds);
        case 5:
            return uvlog::durationText(s.onlineSeconds);
        case 6:
            return !s.runs.empty() && s.runs.back().hasSystemStart
                       ? uvlog::durationText(s.runs.back().sinceSystemStartSeconds)
                       : std::string();
        default: {
            std::string text = uvlog::groupedNumber(s.recordCount);
            if (s.rawLineCount > 0)
                text +=
                    " (" +
                    uvlog::countText(s.rawLineCount, texts::rawRowSingular, texts::rawRowPlural) +
                    ")";
            return text;
        }
    }
}

HWND createComboBox(HWND window, int x, int width, int id, const char* const* choices, int count)
{
    HWND box =
        companion::createChild(window, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                               x, choicesTop - 3, width, 200, id);
    for (int i = 0; i < count; ++i)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices[i]));
    SendMessageA(box, CB_SETCURSEL, 0, 0);
    return box;
}

void createControls(HWND window)
{
    StatState& st = statState;
    companion::createChild(window, "STATIC", texts::statViewLabel, SS_LEFT, 12, choicesTop, 40, 18,
                           -1);
    st.view = createComboBox(window, 52, 130, statView, texts::statViewChoices,
                             static_cast<int>(std::size(texts::statViewChoices)));
    companion::createChild(window, "STATIC", texts::statRangeLabel, SS_LEFT, 200, choicesTop, 50,
                           18, -1);
    st.rangeBox = createComboBox(window, 252, 130, statRange, texts::statRangeChoices,
                                 static_cast<int>(std::size(texts::statRangeChoices)));
    companion::createChild(window, "STATIC", texts::statFromLabel, SS_LEFT, 396, choicesTop, 34, 18,
                           -1);
    st.fromEdit = companion::createChild(window, "EDIT", "", WS_TABSTOP | WS_BORDER, 430,
                                         choicesTop - 3, 90, 22, statFrom);
    companion::createChild(window, "STATIC", texts::statToLabel, SS_LEFT, 528, choicesTop, 24, 18,
                           -1);
    st.toEdit = companion::createChild(window, "EDIT", "", WS_TABSTOP | WS_BORDER, 554,
                                       choicesTop - 3, 90, 22, statTo);
    for (HWND edit : {st.fromEdit, st.toEdit}) {
        SendMessageA(edit, EM_LIMITTEXT, 10, 0);
        EnableWindow(edit, FALSE);
    }
    st.awayBox =
        companion::createChild(window, "BUTTON", texts::statAwayCheck, WS_TABSTOP | BS_AUTOCHECKBOX,
                               660, choicesTop - 2, 228, 20, statAway);
    SendMessageA(st.awayBox, BM_SETCHECK, st.leaveOutAway ? BST_CHECKED : BST_UNCHECKED, 0);
    // The view and period asked for when the program was started.
    SendMessageA(st.view, CB_SETCURSEL, static_cast<WPARAM>(st.grouping), 0);
    if (st.rangeChoice != StatRange::dates)
        SendMessageA(st.rangeBox, CB_SETCURSEL, static_cast<WPARAM>(st.rangeChoice), 0);

    for (int i = 0; i < statTotalCount; ++i) {
        const int y = totalsTop + i * totalsPitch;
        const std::string label = std::string(totalLabels[i]) + ":";
        companion::createChild(window, "STATIC", label.c_str(), SS_LEFT, 12, y, 250, 18, -1);
        // Drawn here: a right-set static control clips the last glyph's
        // overhang in some fonts.
        st.values[i] = companion::createChild(window, "STATIC", "", SS_OWNERDRAW, 262, y, 180, 18,
                                              statValueFirst + i);
    }
    st.table = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 12,
        tableTop, tableWidth, statBarChartArea.bottom - tableTop, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(statTable)), GetModuleHandleA(nullptr),
        nullptr);
    SendMessageA(st.table, WM_SETFONT, reinterpret_cast<WPARAM>(companion::dialogFont()), FALSE);
    SendMessageA(st.table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const int buttonTop = clientHeight - 36;
    const struct {
        const char* text;
        int id;
    } buttons[] = {{texts::statCopyButton, statCopy},
                   {texts::statSaveButton, statSave},
                   {texts::statDaysCsvButton, statSaveDays},
                   {texts::statRefreshButton, statRefresh}};
    int x = 12;
    for (const auto& button : buttons) {
        companion::createChild(window, "BUTTON", button.text, WS_TABSTOP | BS_PUSHBUTTON, x,
                               buttonTop, 116, 26, button.id);
        x += 122;
    }
    companion::createChild(window, "BUTTON", texts::statCloseButton, WS_TABSTOP | BS_PUSHBUTTON,
                           clientWidth - 122, buttonTop, 110, 26, statClose);
}

// Gives the table the columns of the grouping shown.
void setTableColumns()
{
    const StatState& st = statState;
    while (SendMessageA(st.table, LVM_DELETECOLUMN, 0, 0))
        continue;
    const uvlog::StatisticsTable table(st.stats, st.grouping);
    const std::vector<uvlog::TableColumn>& columns = table.columns();
    for (std::size_t i = 0; i < columns.size() && i < mostColumns; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = rightSet(columns[i].kind) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = columnWidths[static_cast<int>(st.grouping)][i];
        column.pszText = const_cast<char*>(columns[i].caption);
        column.iSubItem = static_cast<int>(i);
        SendMessageA(st.table, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void fillCell(NMLVDISPINFOA* info)
{
    const StatState& st = statState;
    LVITEMA& item = info->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0)
        return;
    item.pszText[0] = '\0';
    const uvlog::StatisticsTable table(st.stats, st.grouping);
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= table.rowCount() ||
        item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= table.columns().size())
        return;
    const std::size_t column = static_cast<std::size_t>(item.iSubItem);
    std::string text = table.cellText(static_cast<std::size_t>(item.iItem), column);
    // The list view clips the last glyph of right-set text; a blank takes the cut.
    if (rightSet(table.columns()[column].kind) && !text.empty())
        text += ' ';
    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

// The period the choices give; false when the dates cannot be read.
bool chosenRange(uvlog::DateRange* range)
{
    StatState& st = statState;
    if (st.rangeChoice != StatRange::dates) {
        static constexpr uvlog::RangePreset presets[] = {
            uvlog::RangePreset::all, uvlog::RangePreset::today, uvlog::RangePreset::thisWeek,
            uvlog::RangePreset::thisMonth};
        *range = uvlog::presetRange(presets[static_cast<int>(st.rangeChoice)], st.today);
        return true;
    }
    uvlog::CalendarDate from;
    uvlog::CalendarDate to;
    if (!uvlog::parseDateText(companion::windowText(st.fromEdit).c_str(), &from) ||
        !uvlog::parseDateText(companion::windowText(st.toEdit).c_str(), &to))
        return false;
    range->firstDay = std::min(uvlog::daysFromCivil(from), uvlog::daysFromCivil(to));
    range->lastDay = std::max(uvlog::daysFromCivil(from), uvlog::daysFromCivil(to));
    return true;
}

void saveWithDialog(HWND window, bool chartDays)
{
    char path[MAX_PATH] = "";
    lstrcpynA(path, texts::statSaveDefaultName, sizeof path);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = texts::statSaveFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog))
        return;
    if (!saveTableAs(path, chartDays)) {
        const std::string message = texts::statSaveFailed + std::string(path);
        MessageBoxA(window, message.c_str(), texts::statErrorCaption, MB_OK | MB_ICONERROR);
    }
}

// A preset applies at once; two dates apply with "Uppdatera", starting from
// the period shown.
void onRangeChoice()
{
    StatState& st = statState;
    st.rangeChoice = static_cast<StatRange>(SendMessageA(st.rangeBox, CB_GETCURSEL, 0, 0));
    const bool dates = st.rangeChoice == StatRange::dates;
    for (HWND edit : {st.fromEdit, st.toEdit})
        EnableWindow(edit, dates ? TRUE : FALSE);
    if (!dates) {
        refreshStatistics();
        return;
    }
    const uvlog::DateRange all;
    const std::int64_t today = uvlog::daysFromCivil(st.today);
    const std::int64_t first = st.range.firstDay == all.firstDay ? today : st.range.firstDay;
    const std::int64_t last = st.range.lastDay == all.lastDay ? today : st.range.lastDay;
    SetWindowTextA(st.fromEdit, uvlog::dateText(uvlog::civilFromDays(first)).c_str());
    SetWindowTextA(st.toEdit, uvlog::dateText(uvlog::civilFromDays(last)).c_str());
    SetFocus(st.fromEdit);
}

void onCommand(HWND window, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
        case statCopy:
            copyTableToClipboard();
            break;
        case statSave:
        case statSaveDays:
            saveWithDialog(window, LOWORD(wParam) == statSaveDays);
            break;
        case statView:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                statState.grouping =
                    static_cast<uvlog::Grouping>(SendMessageA(statState.view, CB_GETCURSEL, 0, 0));
                setTableColumns();
                refreshStatistics();
            }
            break;
        case statRange:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                onRangeChoice();
            break;
        case statAway:
            if (HIWORD(wParam) == BN_CLICKED) {
                statState.leaveOutAway =
                    SendMessageA(statState.awayBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
                refreshStatistics();
            }
            break;
        case statRefresh:
            if (!refreshStatistics())
                MessageBoxA(window, texts::statBadDate, texts::statErrorCaption,
                            MB_OK | MB_ICONWARNING);
            break;
        case statClose:
        case IDCANCEL:
            DestroyWindow(window);
            break;
        default:
            break;
    }
}

void drawValue(const DRAWITEMSTRUCT* item)
{
    const std::string text = companion::windowText(item->hwndItem);
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const win32::ScopedSelect font(item->hDC, companion::dialogFont());
    const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    const COLORREF oldInk = SetTextColor(item->hDC, GetSysColor(COLOR_BTNTEXT));
    RECT rect = item->rcItem;
    rect.right -= 1;
    DrawTextA(item->hDC, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX | DT_NOCLIP);
    SetTextColor(item->hDC, oldInk);
    SetBkMode(item->hDC, oldMode);
}

const char* barChartHeading(uvlog::Grouping grouping)
{
    switch (grouping) {
        case uvlog::Grouping::application:
            return texts::statBarChartApplications;
        case uvlog::Grouping::category:
            return texts::statBarChartCategories;
        default:
            return texts::statBarChartTitles;
    }
}

void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const StatState& st = statState;
    if (st.grouping == uvlog::Grouping::hour)
        paintHourColumns(dc, statBarChartArea, st.stats, companion::dialogFont(),
                         st.headingFont.get());
    else
        paintTitleBars(dc, statBarChartArea, uvlog::namedRows(st.stats, st.grouping),
                       barChartHeading(st.grouping), companion::dialogFont(), st.headingFont.get());
    paintDayColumns(dc, statDayChartArea, st.stats, companion::dialogFont(), st.headingFont.get());
    EndPaint(window, &paint);
}

LRESULT CALLBACK statWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    StatState& st = statState;
    switch (message) {
        case WM_CREATE:
            st.window = window;
            st.headingFont = win32::OwnedGdi<HFONT>(companion::createBoldDialogFont());
            createControls(window);
            setTableColumns();
            refreshStatistics();
            return 0;
        case WM_PAINT:
            onPaint(window);
            return 0;
        case WM_NOTIFY: {
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == statTable && header->code == LVN_GETDISPINFOA)
                fillCell(reinterpret_cast<NMLVDISPINFOA*>(header));
            return 0;
        }
        case WM_DRAWITEM:
            drawValue(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            onCommand(window, wParam);
            return 0;
        case WM_DESTROY:
            st.headingFont = {};
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerStatClass(HINSTANCE instance)
{
    return companion::registerWindowClass(instance, texts::statClass, statWindowProc);
}

HWND createStatWindow(HINSTANCE instance, int showMode)
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const SIZE size = companion::windowSizeForClient(style, 0, clientWidth, clientHeight);
    HWND window =
        CreateWindowExA(0, texts::statClass, texts::statTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                        size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, showMode);
    UpdateWindow(window);
    return window;
}

bool refreshStatistics()
{
    StatState& st = statState;
    st.today = localToday();
    uvlog::DateRange range;
    if (!chosenRange(&range))
        return false;
    st.range = range;
    uvlog::SummaryOptions options;
    options.today = st.today;
    options.range = range;
    options.privacy = uvlog::readPrivacyFile(texts::privacyFileName);
    options.categories = uvlog::readCategoryFile(texts::categoryFileName);
    // Only the tally the view shows; beside the day and run tables the bar
    // chart shows the titles.
    const unsigned shown = uvlog::tablesFor(st.grouping);
    options.tables = shown != 0 ? shown : unsigned(uvlog::titleTable);
    if (st.leaveOutAway)
        uvlog::readAwayFile(data_file_format::awayFileName, &options.away);
    st.stats = readStatistics(options);
    for (int i = 0; i < statTotalCount; ++i)
        SetWindowTextA(st.values[i], totalText(i).c_str());
    const uvlog::StatisticsTable table(st.stats, st.grouping);
    // The day and run tables gain or lose the column of the time away.
    const HWND header = reinterpret_cast<HWND>(SendMessageA(st.table, LVM_GETHEADER, 0, 0));
    if (static_cast<std::size_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) !=
        std::min<std::size_t>(table.columns().size(), mostColumns))
        setTableColumns();
    SendMessageA(st.table, LVM_SETITEMCOUNT, table.rowCount(), 0);
    InvalidateRect(st.table, nullptr, TRUE);
    InvalidateRect(st.window, &statBarChartArea, TRUE);
    InvalidateRect(st.window, &statDayChartArea, TRUE);
    return true;
}

bool copyTableToClipboard()
{
    const std::string csv = uvlog::tableCsv(statState.stats, statState.grouping);
    if (!OpenClipboard(statState.window))
        return false;
    EmptyClipboard();
    bool placed = false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, csv.size() + 1);
    if (memory != nullptr) {
        void* bytes = GlobalLock(memory);
        if (bytes != nullptr) {
            std::memcpy(bytes, csv.c_str(), csv.size() + 1);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        // The clipboard owns the memory once it has taken it.
        if (!placed)
            GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

bool saveTableAs(const char* path, bool chartDays)
{
    const std::string csv = chartDays ? uvlog::dayChartCsv(statState.stats)
                                      : uvlog::tableCsv(statState.stats, statState.grouping);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(csv.data(), static_cast<std::streamsize>(csv.size()));
    file.close();
    return static_cast<bool>(file);
}
