// The yardstick for Uravik's idle cost: the least a Win32 program with one
// window and the same 100 ms timer can do (each tick is received and
// ignored, each paint only validates).

#include <windows.h>

namespace {

LRESULT CALLBACK baselineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_TIMER:
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            KillTimer(window, 100);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = baselineWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "IdleBaseline";
    if (!RegisterClassExA(&windowClass))
        return 1;
    HWND window =
        CreateWindowExA(WS_EX_CLIENTEDGE, "IdleBaseline", "Baseline", WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, 650, GetSystemMetrics(SM_CYCAPTION) + 288,
                        nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showMode);
    SetTimer(window, 100, 100, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
