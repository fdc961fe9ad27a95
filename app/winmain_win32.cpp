#include "app/main_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    return runUravik(instance, showMode);
}
