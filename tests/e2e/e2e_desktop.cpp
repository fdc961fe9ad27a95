#include "tests/e2e/e2e_desktop.h"

#include <fstream>
#include <vector>

void clickAt(HWND window, int clientX, int clientY)
{
    POINT p = {clientX, clientY};
    ClientToScreen(window, &p);
    // Every event carries the absolute position, so a press can never land
    // where the cursor was before the move was handled.
    INPUT input = {};
    input.type = INPUT_MOUSE;
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

void typeKeys(const std::string& text)
{
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        std::vector<INPUT> inputs;
        auto press = [&](WORD vk, bool up) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(in);
        };
        if (shift)
            press(VK_SHIFT, false);
        press(key, false);
        press(key, true);
        if (shift)
            press(VK_SHIFT, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        settle(60);
    }
}

void settle(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
}

bool saveScreenshot(const std::string& path)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    // Rows bottom-up, as BMP files store them.
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB};
    std::string bits(static_cast<size_t>((width * 3 + 3) / 4 * 4) * height, '\0');
    const bool copied = GetDIBits(memory, bitmap, 0, height, bits.data(),
                                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {0x4D42};  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bits.size();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out << bits;
    return copied && out.flush();
}

SIZE outerSize(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

bool childIsUsable(HWND child)
{
    if (!child || !IsWindowVisible(child))
        return false;
    RECT rect;
    GetWindowRect(child, &rect);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    RECT client;
    HWND parent = GetParent(child);
    GetClientRect(parent, &client);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
           rect.bottom <= client.bottom;
}

HWND makePeerWindow(const char* title)
{
    return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW, 300, 300, 300, 120, nullptr,
                           nullptr, nullptr, nullptr);
}

void bringToTop(HWND window)
{
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::vector<COLORREF> capturePixels(HWND window, const RECT& clientRect)
{
    POINT origin = {clientRect.left, clientRect.top};
    ClientToScreen(window, &origin);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (LONG y = 0; y < clientRect.bottom - clientRect.top; ++y)
        for (LONG x = 0; x < clientRect.right - clientRect.left; ++x)
            pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}
