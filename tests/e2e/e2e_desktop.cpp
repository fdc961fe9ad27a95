#include "tests/e2e/e2e_desktop.h"

void clickOn(HWND window, const FieldRect& place)
{
    POINT p = {place.x + place.width / 2, place.y + place.height / 2};
    ClientToScreen(window, &p);
    // Every event carries the absolute position, so a press can never land
    // where the cursor was before the move was handled.
    INPUT input = {INPUT_MOUSE, {}};
    input.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    for (DWORD button : {DWORD{0}, DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}}) {
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
        SendInput(1, &input, sizeof(INPUT));
        settle(80);
    }
    // Well apart from the next click, so two clicks never make a double click.
    settle(600);
}

HWND clickAndWaitFor(HWND window, const FieldRect& button, const char* className)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    settle(300);
    clickOn(window, button);
    HWND opened = nullptr;
    waitUntil([&] { return (opened = FindWindowA(className, nullptr)) != nullptr; }, 8000);
    return opened;
}

void typeKeys(const std::string& text)
{
    for (char c : text) {
        INPUT press[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        press[0].ki.wVk = press[1].ki.wVk = LOBYTE(VkKeyScanA(c));
        press[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, press, sizeof(INPUT));
        settle(60);
    }
}

void settle(DWORD ms)
{
    for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; !done(); settle(100))
        if (GetTickCount64() >= deadline)
            return false;
    return true;
}

bool childIsUsable(HWND child)
{
    RECT rect = {}, client = {}, inside;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    GetClientRect(GetParent(child), &client);
    return IsWindowVisible(child) && IntersectRect(&inside, &rect, &client) &&
           EqualRect(&inside, &rect);
}

HWND makePeerWindow()
{
    return CreateWindowExA(0, "STATIC", peerTitle, WS_OVERLAPPEDWINDOW, 300, 300, 300, 120, nullptr,
                           nullptr, nullptr, nullptr);
}

void bringToTop(HWND window)
{
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Image screenImage(HWND window, RECT clientRect)
{
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
    HDC screen = GetDC(nullptr);
    Image shown = imageOf(screen, clientRect);
    ReleaseDC(nullptr, screen);
    return shown;
}
