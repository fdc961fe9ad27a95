#pragma once
// What every window of the program and the companions needs: a window class,
// a message loop, and the one conversion between a window handle and the
// seam's opaque number.

#include <windows.h>

#include "host/host.h"

namespace win32 {

struct WindowClass {
    const char* name;
    WNDPROC procedure;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = nullptr;
    UINT style = 0;
};

// Registers the class with the arrow cursor; false when it cannot be.
bool registerWindowClass(HINSTANCE instance, const WindowClass& windowClass);

// Runs until WM_QUIT (or a failing GetMessageA) and returns the exit code.
// Keyboard navigation between controls goes to `dialogWindow` when given.
int runMessageLoop(HWND dialogWindow = nullptr);

inline HWND asHwnd(host::WindowHandle handle)
{
    return reinterpret_cast<HWND>(handle);
}

inline host::WindowHandle asWindowHandle(HWND window)
{
    return reinterpret_cast<host::WindowHandle>(window);
}

}  // namespace win32
