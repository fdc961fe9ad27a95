#pragma once
// The seam between Uravik's logic and the platform. Everything the portable
// code needs from the operating system goes through these few calls:
// host_win32.cpp implements them with the real Win32 calls, the native tests
// link a scripted fake instead (a link-time seam, no virtual calls).

#include <cstdint>
#include <cstdio>

namespace host {

// A window handle as an opaque number; 0 means "no window".
using WindowHandle = std::uintptr_t;

// The local calendar time, broken down the way localtime() gives it.
struct CalendarTime {
    int yearsSince1900 = 0;
    int month0 = 0;  // 0 to 11
    int day = 1;     // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

enum class MessageIcon { none, error };

// Milliseconds since the operating system started, as a 64-bit count that
// does not wrap after 49.7 days.
std::uint64_t tickCount();

// The tickCount() at the user's latest keyboard or mouse input.
std::uint64_t lastInputTick();

// The local date and time now.
CalendarTime localCalendarTime();

// The nearest window above `window` in the Z order that the user can see
// (visible and not cloaked); 0 when there is none.
WindowHandle visibleWindowAbove(WindowHandle window);

// Copies at most bufferSize - 1 characters of the window's title into buffer
// and terminates it; returns the number of characters copied (0 for none).
int windowTitle(WindowHandle window, char* buffer, int bufferSize);

// Sets the title unless the window already shows that text: setting a title
// redraws the whole caption.
void setWindowTitle(WindowHandle window, const char* text);

// Adds the rectangle (right and bottom exclusive) to the window's update
// region, without erasing: every paint draws its whole background itself.
void invalidateRect(WindowHandle window, int left, int top, int right, int bottom);

// Rectangles (right and bottom exclusive) added to the window's update
// region as one region in one call, without erasing.
struct Rect {
    int left, top, right, bottom;
};
void invalidateRects(WindowHandle window, const Rect* rects, int count);

// The mouse cursor's position now, in the window's client coordinates.
Point cursorPosInClient(WindowHandle window);

// What an exclusive open of a serial port found.
enum class PortProbe {
    opened,  // it opened (and was closed at once): nobody holds it
    held,    // it exists but another program holds it open
    missing  // any other failure: no such device (an adapter unplugged)
};

// Opens serial port COMn exclusively for reading and closes it at once.
PortProbe probeSerialPort(int portNumber);

// Size in bytes of the named file in the working directory; false when there
// is no such file.
bool findFileSize(const char* name, std::uint64_t* size);

// The text of `key` in `[section]` of the settings file `name` in the
// working directory; false when the file or the key is missing or empty.
bool readSetting(const char* name, const char* section, const char* key, char* buffer,
                 int bufferSize);

// Forces what was written to the stream onto the disk (after fflush).
bool flushFileToDisk(std::FILE* file);

// Replaces `target` by `source` in one step; `source` is gone afterwards.
bool replaceFile(const char* source, const char* target);

// Cuts the named file back to its first `size` bytes.
bool truncateFile(const char* name, std::uint64_t size);

// Lets a short while pass, for a file that another program holds for a
// moment (a virus scanner, a backup) to come free.
void waitMilliseconds(int milliseconds);

// A modal box with an OK button and no owner window. Its own message loop
// keeps delivering timer ticks and paints while it is open.
void messageBox(const char* text, const char* caption, MessageIcon icon);

}  // namespace host
