#include "win32/window_basics_win32.h"

namespace win32 {

bool registerWindowClass(HINSTANCE instance, const WindowClass& c)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = c.style;
    windowClass.lpfnWndProc = c.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = c.icon;
    windowClass.hIconSm = c.smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = c.background;
    windowClass.lpszClassName = c.name;
    return RegisterClassExA(&windowClass) != 0;
}

int runMessageLoop(HWND dialogWindow)
{
    MSG message;
    // GetMessageA returns -1 on failure; looping on it would spin forever.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (dialogWindow != nullptr && IsWindow(dialogWindow) &&
            IsDialogMessageA(dialogWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace win32
