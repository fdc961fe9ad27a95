#pragma once
// How much of each refreshed box a window paint actually draws.

#include <windows.h>

#include "display/refresh_cache.h"

// Whole, part or none of each box, for a device context from BeginPaint on
// `window`: its system region is the update region within the part of the
// window that can be seen, which is exactly what the paint can change.
void measureBoxCoverage(HWND window, HDC dc, Coverage (&coverage)[layout::refreshedBoxCount]);
