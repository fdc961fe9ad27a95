#include "display/box_coverage_win32.h"

namespace {

// A scratch region deleted with its scope.
struct ScratchRegion {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ScratchRegion() = default;
    ~ScratchRegion() { DeleteObject(region); }
    ScratchRegion(const ScratchRegion&) = delete;
    ScratchRegion& operator=(const ScratchRegion&) = delete;
};

}  // namespace

void measureBoxCoverage(HWND window, HDC dc, Coverage (&coverage)[layout::refreshedBoxCount])
{
    ScratchRegion painted;
    const bool known = GetRandomRgn(dc, painted.region, SYSRGN) == 1;
    // The system region comes in screen coordinates.
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRgn(painted.region, -origin.x, -origin.y);
    ScratchRegion outside;
    for (int box = 0; box < layout::refreshedBoxCount; ++box) {
        const FieldRect& r = layout::refreshedRects[box];
        const RECT rect = {r.x, r.y, r.x + r.width, r.y + r.height};
        if (!known || !RectInRegion(painted.region, &rect)) {
            coverage[box] = Coverage::none;
            continue;
        }
        SetRectRgn(outside.region, rect.left, rect.top, rect.right, rect.bottom);
        const int left = CombineRgn(outside.region, outside.region, painted.region, RGN_DIFF);
        coverage[box] = left == NULLREGION ? Coverage::whole : Coverage::partial;
    }
}
