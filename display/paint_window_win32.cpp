#include "display/paint_window_win32.h"

#include "timekeeping/clock.h"

void paintWindow(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    captureDateTime();
    EndPaint(window, &paint);
}
