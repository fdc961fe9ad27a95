#include "companions/reader/reader_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "common/data_file_format.h"
#include "companions/companion_texts.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/gdi_scoped_win32.h"

ReaderState readerState;

namespace {

namespace texts = companion_texts;

constexpr int margin = 8;
constexpr int toolbarHeight = 34;

struct ColumnLayout {
    const char* caption;
    int width;
    int format;
};

// In the order of uvlog::ReaderColumn. "Från" shows a date too when the
// period began on an earlier day.
constexpr ColumnLayout columnLayouts[uvlog::readerColumnCount] = {
    {texts::readerNumberColumn, 56, LVCFMT_LEFT},  {texts::readerDateColumn, 80, LVCFMT_LEFT},
    {texts::readerFromColumn, 128, LVCFMT_RIGHT},  {texts::readerToColumn, 64, LVCFMT_RIGHT},
    {texts::readerPeriodColumn, 70, LVCFMT_RIGHT}, {texts::readerRunColumn, 74, LVCFMT_RIGHT},
    {texts::readerTotalColumn, 96, LVCFMT_RIGHT},  {texts::readerOnlineColumn, 72, LVCFMT_CENTER},
    {texts::titleColumn, 380, LVCFMT_LEFT},
};

constexpr COLORREF headingBackground = RGB(218, 228, 244);
constexpr COLORREF headingInk = RGB(20, 40, 110);
constexpr COLORREF rawInk = RGB(128, 128, 128);

bool sameFileName(const std::string& path, const char* name)
{
    const std::size_t slash = path.find_last_of("\\/:");
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return uvlog::foldCase(file) == uvlog::foldCase(name);
}

std::string besideLog(const std::string& path, const char* name)
{
    const std::size_t slash = path.find_last_of("\\/:");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
}

bool followFile(uvlog::FollowedFile& file)
{
    return uvlog::followFile(file, readerMaxBytes);
}

void connectSources()
{
    ReaderState& r = readerState;
    r.sources.log = &r.log.log;
    r.sources.history = r.showHistory && !r.history.path.empty() && !r.history.log.entries.empty()
                            ? &r.history.log
                            : nullptr;
    r.sources.logName = r.log.path.substr(r.log.path.find_last_of("\\/:") + 1);
    r.sources.privacy = &r.privacy;
    r.sources.away = &r.away;
}

std::size_t countKind(const uvlog::ParsedLog& log, uvlog::EntryKind kind)
{
    return static_cast<std::size_t>(
        std::count_if(log.entries.begin(), log.entries.end(),
                      [kind](const uvlog::LogEntry& entry) { return entry.kind == kind; }));
}

std::string megabytes(std::uint64_t bytes)
{
    return uvlog::groupedNumber((bytes + (1 << 19)) >> 20);
}

void updateStatus()
{
    const ReaderState& r = readerState;
    const std::string separator = texts::readerStatusSeparator;
    std::string text;
    if (!r.log.found) {
        text = texts::readerStatusMissing + r.log.path;
    } else {
        std::size_t all = r.log.log.entries.size() + r.away.lines.size();
        std::size_t startups = r.log.log.runs.size();
        std::size_t raw = countKind(r.log.log, uvlog::EntryKind::raw);
        if (r.sources.history != nullptr) {
            all += r.history.log.entries.size() + 1;
            startups += r.history.log.runs.size();
            raw += countKind(r.history.log, uvlog::EntryKind::raw);
        }
        if (r.rows.size() != all)
            text = uvlog::groupedNumber(r.rows.size()) + texts::readerStatusOf;
        text += uvlog::countText(all, texts::rowSingular, texts::rowPlural);
        text +=
            separator + uvlog::countText(startups, texts::startupSingular, texts::startupPlural);
        if (raw > 0)
            text += separator + uvlog::countText(raw, texts::rawRowSingular, texts::rawRowPlural);
        for (const uvlog::FollowedFile* file : {&r.history, &r.log}) {
            if (file->start > 0)
                text += separator + texts::readerStatusTail + megabytes(file->end - file->start) +
                        texts::readerStatusTailOf + megabytes(file->fileSize) +
                        texts::readerStatusMegabytes;
        }
        text += separator + texts::readerStatusFollowing;
    }
    if (countKind(r.log.log, uvlog::EntryKind::record) == 0)
        text += separator + texts::readerHint;
    SetWindowTextA(r.status, text.c_str());
}

bool lastRowVisible()
{
    const ReaderState& r = readerState;
    const int count = static_cast<int>(r.rows.size());
    if (count == 0)
        return true;
    const int top = static_cast<int>(SendMessageA(r.list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageA(r.list, LVM_GETCOUNTPERPAGE, 0, 0));
    return top + perPage >= count;
}

// Rebuilds the rows; keeps the newest row in view when it was in view.
void refreshRows(bool scrollToEnd)
{
    ReaderState& r = readerState;
    connectSources();
    r.rows = uvlog::buildRows(r.sources, r.foldedFilter);
    SendMessageA(r.list, LVM_SETITEMCOUNT, r.rows.size(), LVSICF_NOSCROLL);
    InvalidateRect(r.list, nullptr, FALSE);
    if (scrollToEnd && !r.rows.empty())
        SendMessageA(r.list, LVM_ENSUREVISIBLE, r.rows.size() - 1, FALSE);
    updateStatus();
}

// Reads yborta.dab beside the log again when its size has changed; true then.
bool readAwayPeriods()
{
    ReaderState& r = readerState;
    const std::string path = besideLog(r.log.path, data_file_format::awayFileName);
    std::uint64_t size = 0;
    if (!uvlog::fileSize(path, &size))
        size = 0;
    if (size == r.awaySize)
        return false;
    r.awaySize = size;
    r.away = uvlog::AwayPeriods{};
    uvlog::readAwayFile(path, &r.away);
    return true;
}

void loadFiles()
{
    ReaderState& r = readerState;
    r.log.forget();
    r.history.forget();
    r.privacy = uvlog::readPrivacyFile(besideLog(r.log.path, texts::privacyFileName));
    readAwayPeriods();
    followFile(r.log);
    if (r.showHistory && !r.history.path.empty())
        followFile(r.history);
}

void createControls(HWND window)
{
    ReaderState& r = readerState;
    companion::createChild(window, "STATIC", texts::readerFilterLabel, SS_LEFT, margin, 12, 44, 16,
                           -1);
    r.filterEdit =
        companion::createChild(window, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                               margin + 48, 8, 260, 22, readerFilterEdit);
    r.historyBox = companion::createChild(window, "BUTTON", texts::readerHistoryCheck,
                                          WS_TABSTOP | BS_AUTOCHECKBOX, margin + 330, 8, 220, 22,
                                          readerHistoryBox);
    SendMessageA(r.historyBox, BM_SETCHECK, r.showHistory ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(r.historyBox, r.history.path.empty() ? FALSE : TRUE);

    r.list = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0,
        toolbarHeight, 100, 100, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(readerList)),
        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(r.list, WM_SETFONT, reinterpret_cast<WPARAM>(companion::dialogFont()), FALSE);
    SendMessageA(r.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES);
    for (int i = 0; i < uvlog::readerColumnCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columnLayouts[i].format;
        column.cx = columnLayouts[i].width;
        column.pszText = const_cast<char*>(columnLayouts[i].caption);
        column.iSubItem = i;
        SendMessageA(r.list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    r.status =
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(readerStatus)),
                        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(r.status, WM_SETFONT, reinterpret_cast<WPARAM>(companion::dialogFont()), FALSE);
}

void layoutControls(int width, int height)
{
    const ReaderState& r = readerState;
    SendMessageA(r.status, WM_SIZE, 0, 0);
    RECT status = {};
    GetWindowRect(r.status, &status);
    const int listHeight = height - toolbarHeight - (status.bottom - status.top);
    MoveWindow(r.list, 0, toolbarHeight, width, std::max(listHeight, 0), TRUE);
}

void fillCell(NMLVDISPINFOA* info)
{
    const ReaderState& r = readerState;
    LVITEMA& item = info->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0)
        return;
    item.pszText[0] = '\0';
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= r.rows.size() ||
        item.iSubItem < 0 || item.iSubItem >= uvlog::readerColumnCount)
        return;
    std::string text = uvlog::cellText(r.sources, r.rows[static_cast<std::size_t>(item.iItem)],
                                       static_cast<uvlog::ReaderColumn>(item.iSubItem));
    // The list view clips the last glyph of right-set text; a blank takes the cut.
    if (columnLayouts[item.iSubItem].format == LVCFMT_RIGHT && !text.empty())
        text += ' ';
    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

// Heading rows and raw lines span the whole row, so they are drawn here.
LRESULT drawRow(NMLVCUSTOMDRAW* draw)
{
    const ReaderState& r = readerState;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const std::size_t index = draw->nmcd.dwItemSpec;
    if (index >= r.rows.size())
        return CDRF_DODEFAULT;
    const uvlog::LogRow& row = r.rows[index];
    const uvlog::RowKind kind = uvlog::rowKind(r.sources, row);
    if (kind == uvlog::RowKind::record)
        return CDRF_DODEFAULT;
    if (kind == uvlog::RowKind::away) {
        // A row like a record's, greyed: nobody was at the computer.
        draw->clrText = rawInk;
        return CDRF_NEWFONT;
    }

    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(r.list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
    const bool selected =
        SendMessageA(r.list, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED;
    const bool heading = kind == uvlog::RowKind::heading;
    const COLORREF background = selected  ? GetSysColor(COLOR_HIGHLIGHT)
                                : heading ? headingBackground
                                          : GetSysColor(COLOR_WINDOW);
    const COLORREF ink = selected  ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : heading ? headingInk
                                   : rawInk;

    HDC dc = draw->nmcd.hdc;
    const win32::OwnedGdi<HBRUSH> brush(CreateSolidBrush(background));
    FillRect(dc, &bounds, brush.get());
    const win32::ScopedSelect font(dc, heading ? r.headingFont.get() : companion::dialogFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldInk = SetTextColor(dc, ink);
    std::string text = uvlog::cellText(r.sources, row, uvlog::ReaderColumn::number);
    RECT textRect = bounds;
    textRect.left += 6;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldInk);
    SetBkMode(dc, oldMode);
    return CDRF_SKIPDEFAULT;
}

LRESULT onNotify(NMHDR* header)
{
    if (header->idFrom != readerList)
        return 0;
    switch (header->code) {
        case LVN_GETDISPINFOA:
            fillCell(reinterpret_cast<NMLVDISPINFOA*>(header));
            return 0;
        case NM_CUSTOMDRAW:
            return drawRow(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        default:
            return 0;
    }
}

void onCommand(WPARAM wParam)
{
    ReaderState& r = readerState;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == readerFilterEdit && code == EN_CHANGE) {
        r.foldedFilter = uvlog::foldCase(companion::windowText(r.filterEdit));
        refreshRows(false);
    } else if (id == readerHistoryBox && code == BN_CLICKED) {
        r.showHistory = SendMessageA(r.historyBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
        r.history.forget();
        if (r.showHistory)
            followFile(r.history);
        refreshRows(false);
    }
}

LRESULT CALLBACK readerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ReaderState& r = readerState;
    switch (message) {
        case WM_CREATE:
            r.window = window;
            r.headingFont = win32::OwnedGdi<HFONT>(companion::createBoldDialogFont());
            createControls(window);
            loadFiles();
            refreshRows(false);
            SetTimer(window, readerFollowTimer, readerFollowMs, nullptr);
            return 0;
        case WM_SIZE:
            layoutControls(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            SetFocus(r.list);
            return 0;
        case WM_NOTIFY:
            return onNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            onCommand(wParam);
            return 0;
        case WM_TIMER:
            if (wParam == readerFollowTimer)
                followLogFiles();
            return 0;
        case WM_DESTROY:
            KillTimer(window, readerFollowTimer);
            r.headingFont = {};
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerReaderClass(HINSTANCE instance)
{
    return companion::registerWindowClass(instance, texts::readerClass, readerWindowProc);
}

HWND createReaderWindow(HINSTANCE instance, const std::string& path, int showMode)
{
    ReaderState& r = readerState;
    r.log.path = path;
    r.history.path = sameFileName(path, data_file_format::historyFileName)
                         ? std::string()
                         : besideLog(path, data_file_format::historyFileName);
    const std::string title = texts::readerTitle + path;
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const SIZE size = companion::windowSizeForClient(style, 0, 960, 600);
    HWND window =
        CreateWindowExA(0, texts::readerClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                        size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, showMode);
    // The newest records are the ones wanted; scrolled once the list has its size.
    if (!r.rows.empty())
        SendMessageA(r.list, LVM_ENSUREVISIBLE, r.rows.size() - 1, FALSE);
    UpdateWindow(window);
    return window;
}

void followLogFiles()
{
    ReaderState& r = readerState;
    const bool atEnd = lastRowVisible();
    bool changed = followFile(r.log);
    if (r.showHistory && !r.history.path.empty())
        changed = followFile(r.history) || changed;
    changed = readAwayPeriods() || changed;
    if (changed)
        refreshRows(atEnd);
}
