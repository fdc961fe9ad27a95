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

PaintedRegion::PaintedRegion(HWND window) : window_(window), update_(CreateRectRgn(0, 0, 0, 0))
{
    GetUpdateRgn(window, update_, FALSE);
}

PaintedRegion::~PaintedRegion()
{
    DeleteObject(update_);
}

void PaintedRegion::measure(HDC dc, Coverage (&coverage)[refreshedBoxCount]) const
{
    // The device context's own region (in screen coordinates) is the part
    // of the window that can be drawn; parts covered by other windows may
    // not be.
    ScratchRegion painted;
    CombineRgn(painted.region, update_, nullptr, RGN_COPY);
    ScratchRegion visible;
    if (GetRandomRgn(dc, visible.region, SYSRGN) == 1) {
        POINT origin = {0, 0};
        ClientToScreen(window_, &origin);
        OffsetRgn(visible.region, -origin.x, -origin.y);
        CombineRgn(painted.region, painted.region, visible.region, RGN_AND);
    }
    ScratchRegion outside;
    for (int box = 0; box < refreshedBoxCount; ++box) {
        const FieldRect& r = refreshedRects[box];
        const RECT rect = {r.x, r.y, r.x + r.width, r.y + r.height};
        if (!RectInRegion(painted.region, &rect)) {
            coverage[box] = Coverage::none;
            continue;
        }
        SetRectRgn(outside.region, rect.left, rect.top, rect.right, rect.bottom);
        const int left = CombineRgn(outside.region, outside.region, painted.region, RGN_DIFF);
        coverage[box] = left == NULLREGION ? Coverage::whole : Coverage::partial;
    }
}
