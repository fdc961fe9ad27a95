// The seam's Win32 side: each call is the plain platform call the logic needs.

#include <dwmapi.h>
#include <io.h>
#include <windows.h>

#include <ctime>
#include <vector>

#include "host/host.h"
#include "host/window_handle_win32.h"
#include "win32/gdi_scoped_win32.h"

namespace host {

namespace {

// Windows the desktop window manager keeps cloaked (apps on other virtual
// desktops, suspended store apps) are visible by style but not on screen.
bool isCloaked(HWND window)
{
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

}  // namespace

std::uint64_t tickCount()
{
    return GetTickCount64();
}

std::uint64_t lastInputTick()
{
    // The input time is a 32-bit tick; it lies within 49.7 days before now,
    // so one reading of the 64-bit count dates it without a wrap.
    const ULONGLONG now = GetTickCount64();
    LASTINPUTINFO input = {sizeof input, 0};
    if (!GetLastInputInfo(&input))
        return now;
    const DWORD since = static_cast<DWORD>(now) - input.dwTime;
    return since <= now ? now - since : 0;
}

CalendarTime localCalendarTime()
{
    const std::time_t now = std::time(nullptr);
    CalendarTime result;
    if (const std::tm* local = std::localtime(&now)) {
        result.yearsSince1900 = local->tm_year;
        result.month0 = local->tm_mon;
        result.day = local->tm_mday;
        result.hour = local->tm_hour;
        result.minute = local->tm_min;
        result.second = local->tm_sec;
    }
    return result;
}

WindowHandle visibleWindowAbove(WindowHandle window)
{
    // Every GUI thread owns hidden helper windows (such as "Default IME")
    // that lie right above its main window; the user never sees them.
    HWND above = GetWindow(asHwnd(window), GW_HWNDPREV);
    while (above && (!IsWindowVisible(above) || isCloaked(above)))
        above = GetWindow(above, GW_HWNDPREV);
    return asWindowHandle(above);
}

int windowTitle(WindowHandle window, char* buffer, int bufferSize)
{
    if (bufferSize > 0)
        buffer[0] = '\0';
    if (window == 0)
        return 0;
    return GetWindowTextA(asHwnd(window), buffer, bufferSize);
}

void setWindowTitle(WindowHandle window, const char* text)
{
    char shown[256];
    const int length = GetWindowTextA(asHwnd(window), shown, sizeof shown);
    if (length >= static_cast<int>(sizeof shown) - 1 || lstrcmpA(shown, text) != 0)
        SetWindowTextA(asHwnd(window), text);
}

void invalidateRect(WindowHandle window, int left, int top, int right, int bottom)
{
    const RECT rect = {left, top, right, bottom};
    InvalidateRect(asHwnd(window), &rect, FALSE);
}

void invalidateRects(WindowHandle window, const Rect* rects, int count)
{
    if (count <= 0)
        return;
    std::vector<char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(count);
    region->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds = {rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    auto* out = reinterpret_cast<RECT*>(region->Buffer);
    for (int i = 0; i < count; ++i) {
        out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        UnionRect(&bounds, &bounds, &out[i]);
    }
    region->rdh.rcBound = bounds;
    const win32::OwnedGdi<HRGN> united(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
    InvalidateRgn(asHwnd(window), united.get(), FALSE);
}

Point cursorPosInClient(WindowHandle window)
{
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(asHwnd(window), &p);
    return Point{p.x, p.y};
}

PortProbe probeSerialPort(int portNumber)
{
    char name[8];
    wsprintfA(name, "COM%d", portNumber);
    HANDLE port =
        CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port != INVALID_HANDLE_VALUE) {
        CloseHandle(port);
        return PortProbe::opened;
    }
    // Only a refusal because someone has the port open means a connection;
    // a device that is gone answers with "not found" and the like.
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED)
        return PortProbe::held;
    return PortProbe::missing;
}

bool findFileSize(const char* name, std::uint64_t* size)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    *size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return true;
}

bool readSetting(const char* name, const char* section, const char* key, char* buffer,
                 int bufferSize)
{
    // A name without a folder would be looked for in the Windows folder.
    char path[MAX_PATH];
    const DWORD length = GetFullPathNameA(name, sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path || bufferSize <= 0)
        return false;
    return GetPrivateProfileStringA(section, key, "", buffer, static_cast<DWORD>(bufferSize),
                                    path) > 0;
}

bool flushFileToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

bool replaceFile(const char* source, const char* target)
{
    // Virus scanners and indexers hold files open for a moment; retry a
    // sharing or access failure for a short while before giving up.
    constexpr int attempts = 8;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(10);
    }
    return false;
}

bool truncateFile(const char* name, std::uint64_t size)
{
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool cut = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
                     FlushFileBuffers(file);
    CloseHandle(file);
    return cut;
}

void waitMilliseconds(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

void messageBox(const char* text, const char* caption, MessageIcon icon)
{
    MessageBoxA(nullptr, text, caption, MB_OK | (icon == MessageIcon::error ? MB_ICONERROR : 0));
}

}  // namespace host
