#include "companions/stat/stat_window_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "companions/companion_texts.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/stat/stat_charts_win32.h"
#include "companions/win32/companion_app_win32.h"
#include "companions/win32/gdi_scoped.h"

StatState statState;

namespace {

namespace texts = companion_texts;

constexpr int clientWidth = 900;
constexpr int clientHeight = 640;
constexpr int totalsTop = 12;
constexpr int totalsPitch = 22;
constexpr int tableTop = totalsTop + statTotalCount * totalsPitch + 8;

constexpr const char* totalLabels[statTotalCount] = {
    texts::startupsLabel,    texts::longestRunLabel,  texts::averageRunLabel,
    texts::runningTimeLabel, texts::latestTotalLabel, texts::onlineTimeLabel,
    texts::beforeStartLabel, texts::recordsLabel,
};

struct TableColumn {
    const char* caption;
    int width;
    int format;
};

constexpr TableColumn tableColumns[] = {
    {texts::titleColumn, 225, LVCFMT_LEFT},
    {texts::timeColumn, 75, LVCFMT_RIGHT},
    {texts::shareColumn, 60, LVCFMT_RIGHT},
    {texts::periodsColumn, 50, LVCFMT_RIGHT},
};

uvlog::CalendarDate localToday()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

// The history first, so that the latest record comes last.
uvlog::LogStatistics readStatistics(uvlog::CalendarDate today)
{
    uvlog::ParsedLog logs[2];
    const char* names[2] = {texts::historyFileName, texts::logFileName};
    std::vector<const uvlog::ParsedLog*> found;
    for (int i = 0; i < 2; ++i) {
        std::string bytes;
        if (!uvlog::readFileFrom(names[i], 0, bytes))
            continue;
        uvlog::appendLogText(logs[i], bytes);
        found.push_back(&logs[i]);
    }
    return uvlog::summariseLogs(found, today);
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
            return uvlog::durationText(s.beforeStartSeconds);
        default: {
            std::string text = uvlog::groupedNumber(s.recordCount);
            if (s.rawLineCount > 0)
                text += " (" + uvlog::groupedNumber(s.rawLineCount) + texts::readerStatusRaw + ")";
            return text;
        }
    }
}

void createControls(HWND window)
{
    StatState& st = statState;
    for (int i = 0; i < statTotalCount; ++i) {
        const int y = totalsTop + i * totalsPitch;
        const std::string label = std::string(totalLabels[i]) + ":";
        companion::createChild(window, "STATIC", label.c_str(), SS_LEFT, 12, y, 236, 18, -1);
        // Drawn here: a right-set static control clips the last glyph's
        // overhang in some fonts.
        st.values[i] = companion::createChild(window, "STATIC", "", SS_OWNERDRAW, 250, y, 192, 18,
                                              statValueFirst + i);
    }
    st.table = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 12,
        tableTop, 430, statBarChartArea.bottom - tableTop, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(statTable)), GetModuleHandleA(nullptr),
        nullptr);
    SendMessageA(st.table, WM_SETFONT, reinterpret_cast<WPARAM>(companion::dialogFont()), FALSE);
    SendMessageA(st.table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = tableColumns[i].format;
        column.cx = tableColumns[i].width;
        column.pszText = const_cast<char*>(tableColumns[i].caption);
        column.iSubItem = i;
        SendMessageA(st.table, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const int buttonTop = clientHeight - 36;
    companion::createChild(window, "BUTTON", texts::statCopyButton, WS_TABSTOP | BS_PUSHBUTTON, 12,
                           buttonTop, 110, 26, statCopy);
    companion::createChild(window, "BUTTON", texts::statSaveButton, WS_TABSTOP | BS_PUSHBUTTON, 128,
                           buttonTop, 110, 26, statSave);
    companion::createChild(window, "BUTTON", texts::statRefreshButton, WS_TABSTOP | BS_PUSHBUTTON,
                           244, buttonTop, 110, 26, statRefresh);
    companion::createChild(window, "BUTTON", texts::statCloseButton, WS_TABSTOP | BS_PUSHBUTTON,
                           clientWidth - 122, buttonTop, 110, 26, statClose);
}

void fillCell(NMLVDISPINFOA* info)
{
    const uvlog::LogStatistics& s = statState.stats;
    LVITEMA& item = info->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0)
        return;
    item.pszText[0] = '\0';
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= s.titles.size())
        return;
    const uvlog::TitleTime& row = s.titles[static_cast<std::size_t>(item.iItem)];
    std::string text;
    switch (item.iSubItem) {
        case 0:
            text = row.title;
            break;
        case 1:
            text = uvlog::durationText(row.seconds);
            break;
        case 2:
            text = uvlog::shareText(row.seconds, s.windowSeconds);
            break;
        case 3:
            text = uvlog::groupedNumber(row.periods);
            break;
        default:
            break;
    }
    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

void saveWithDialog(HWND window)
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
    if (!saveTableAs(path)) {
        const std::string message = texts::statSaveFailed + std::string(path);
        MessageBoxA(window, message.c_str(), texts::statErrorCaption, MB_OK | MB_ICONERROR);
    }
}

void onCommand(HWND window, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
        case statCopy:
            copyTableToClipboard();
            break;
        case statSave:
            saveWithDialog(window);
            break;
        case statRefresh:
            refreshStatistics();
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
    const companion::ScopedSelect font(item->hDC, companion::dialogFont());
    const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    const COLORREF oldInk = SetTextColor(item->hDC, GetSysColor(COLOR_BTNTEXT));
    RECT rect = item->rcItem;
    rect.right -= 1;
    DrawTextA(item->hDC, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX | DT_NOCLIP);
    SetTextColor(item->hDC, oldInk);
    SetBkMode(item->hDC, oldMode);
}

void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintTitleBars(dc, statBarChartArea, statState.stats, companion::dialogFont(),
                   statState.headingFont);
    paintDayColumns(dc, statDayChartArea, statState.stats, companion::dialogFont(),
                    statState.headingFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK statWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    StatState& st = statState;
    switch (message) {
        case WM_CREATE:
            st.window = window;
            st.headingFont = companion::createBoldDialogFont();
            createControls(window);
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
            if (st.headingFont != nullptr)
                DeleteObject(st.headingFont);
            st.headingFont = nullptr;
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

void refreshStatistics()
{
    StatState& st = statState;
    st.today = localToday();
    st.stats = readStatistics(st.today);
    for (int i = 0; i < statTotalCount; ++i)
        SetWindowTextA(st.values[i], totalText(i).c_str());
    SendMessageA(st.table, LVM_SETITEMCOUNT, st.stats.titles.size(), 0);
    InvalidateRect(st.table, nullptr, TRUE);
    InvalidateRect(st.window, &statBarChartArea, TRUE);
    InvalidateRect(st.window, &statDayChartArea, TRUE);
}

bool copyTableToClipboard()
{
    const std::string csv = uvlog::titleTableCsv(statState.stats);
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

bool saveTableAs(const char* path)
{
    const std::string csv = uvlog::titleTableCsv(statState.stats);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(csv.data(), static_cast<std::streamsize>(csv.size()));
    file.close();
    return static_cast<bool>(file);
}
