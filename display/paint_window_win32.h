#pragma once
#include <windows.h>

// Paints the whole client area, clipped by the system to the update region.
void paintWindow(HWND window);
