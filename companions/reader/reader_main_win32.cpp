// uvreader.exe FILE: the log reader, started by the main window's "Tidlista"
// button as "uvreader.exe ytime.dab".

#include <windows.h>

#include <cstdlib>

#include "common/data_file_format.h"
#include "companions/reader/reader_window_win32.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/window_basics_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    companion::initCommonControls();
    if (!registerReaderClass(instance))
        return 1;
    const char* path = __argc > 1 ? __argv[1] : data_file_format::logFileName;
    HWND window = createReaderWindow(instance, path, showMode);
    if (window == nullptr)
        return 1;
    return win32::runMessageLoop(window);
}
