#pragma once
#include <windows.h>

// Paints the whole client area, clipped by the system to the update region.
void paintWindow(HWND window);

// Draws the whole client area into any device context from the state as it
// stands (no clock capture, no erase).
void paintClientArea(HDC dc);
