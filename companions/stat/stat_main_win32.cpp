// uvstat.lib: the statistics program, an executable despite its name, started
// by the main window's "Statistik" button. It reads the working directory.

#include <windows.h>

#include "companions/stat/stat_window_win32.h"
#include "companions/win32/companion_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    companion::initCommonControls();
    if (!registerStatClass(instance))
        return 1;
    HWND window = createStatWindow(instance, showMode);
    if (window == nullptr)
        return 1;
    return companion::runMessageLoop(window);
}
