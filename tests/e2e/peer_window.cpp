// A plain titled window for the end-to-end tests to bring above Uravik's, so
// that the time log has a window to name. It ends when its window is closed.

#include <windows.h>

namespace {

constexpr const char* peerClassName = "UravikPeerWindow";
constexpr const char* peerTitle = "Uravik testfönster";

LRESULT CALLBACK peerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = peerWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = peerClassName;
    if (!RegisterClassExA(&windowClass))
        return 1;
    CreateWindowExA(0, peerClassName, peerTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 400,
                    200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
