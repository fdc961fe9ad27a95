#pragma once
// What every window of the program and the companions needs: a window class
// and a message loop.

#include <windows.h>

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

}  // namespace win32
