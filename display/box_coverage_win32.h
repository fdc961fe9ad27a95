#pragma once
// How much of each refreshed box a window paint actually draws.

#include <windows.h>

#include "display/refresh_cache.h"

// The region a paint of `window` will draw: its update region, taken before
// BeginPaint, within the window's visible part. Call before BeginPaint; the
// measure comes after it, when the device context knows the visible part.
class PaintedRegion {
public:
    explicit PaintedRegion(HWND window);
    ~PaintedRegion();
    PaintedRegion(const PaintedRegion&) = delete;
    PaintedRegion& operator=(const PaintedRegion&) = delete;

    // Whole, part or none of each box, for the paint's device context.
    void measure(HDC dc, Coverage (&coverage)[refreshedBoxCount]) const;

private:
    HWND window_;
    HRGN update_;
};
