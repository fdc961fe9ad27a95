#include "companions/win32/companion_app_win32.h"

#include <commctrl.h>

#include "companions/companion_texts.h"
#include "win32/window_basics_win32.h"

namespace companion {

void initCommonControls()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

bool registerWindowClass(HINSTANCE instance, const char* className, WNDPROC windowProc)
{
    return win32::registerWindowClass(
        instance, {className, windowProc, LoadIconA(instance, companion_texts::iconName), nullptr,
                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

HFONT dialogFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT createBoldDialogFont()
{
    LOGFONTA font = {};
    GetObjectA(dialogFont(), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

HWND createChild(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id)
{
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont()), FALSE);
    return child;
}

SIZE windowSizeForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight)
{
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::string windowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace companion
