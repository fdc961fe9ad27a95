// aboutuv.exe: the about box, started by the main window's "Om" button.

#include <windows.h>

#include "companions/about/about_window_win32.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/window_basics_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    companion::initCommonControls();
    if (!registerAboutClass(instance))
        return 1;
    HWND window = createAboutWindow(instance, showMode);
    if (window == nullptr)
        return 1;
    return win32::runMessageLoop(window);
}
