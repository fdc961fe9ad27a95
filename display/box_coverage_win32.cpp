#include "display/box_coverage_win32.h"

#include "win32/gdi_scoped_win32.h"

void measureBoxCoverage(HWND window, HDC dc, Coverage (&coverage)[layout::refreshedBoxCount])
{
    const win32::OwnedGdi<HRGN> painted(CreateRectRgn(0, 0, 0, 0));
    const bool known = GetRandomRgn(dc, painted.get(), SYSRGN) == 1;
    // The system region comes in screen coordinates.
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRgn(painted.get(), -origin.x, -origin.y);
    const win32::OwnedGdi<HRGN> outside(CreateRectRgn(0, 0, 0, 0));
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        const FieldRect& r = layout::refreshedRects[box];
        const RECT rect = {r.x, r.y, r.x + r.width, r.y + r.height};
        if (!known || !RectInRegion(painted.get(), &rect)) {
            coverage[box] = Coverage::none;
            continue;
        }
        SetRectRgn(outside.get(), rect.left, rect.top, rect.right, rect.bottom);
        const int left = CombineRgn(outside.get(), outside.get(), painted.get(), RGN_DIFF);
        coverage[box] = left == NULLREGION ? Coverage::whole : Coverage::partial;
    }
}
