// The paint under clip regions, with the culling of hidden lines and texts
// on and off, into memory DCs filled with the same noise: every pixel must
// be the same, in every state the window can show.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#include "display/layout.h"
#include "display/paint_window_win32.h"
#include "tests/fresh_program_state.h"
#include "tests/win32/display_canvas.h"
#include "timekeeping/clock.h"
#include "win32/gdi_scoped_win32.h"

namespace {

void setClock(const char* run, const char* totalHours)
{
    setShownClock({"2026", "12", "7", "0", "4", "59", "23", "58", "3", run, totalHours, "5", "48"});
}

void tooWide()
{
    setClock("1193:59:59", "12345678901234567890");
    shared.probedPort = -2147483647;
    std::snprintf(shared.highRateCostText, sizeof shared.highRateCostText, "WWWWWWW");
    std::snprintf(shared.modemPortText, sizeof shared.modemPortText, "MMMMMMM");
}

const struct {
    const char* name;
    std::function<void()> apply;
} states[] = {
    {"off line", [] {}},
    {"on line", [] { shared.modemOnline = 1; }},
    {"edit mode", [] { shared.editMode = 1; }},
    {"no fonts yet, on line", [] { fonts = FontState{}, shared.modemOnline = 1; }},
    {"texts too wide, on line", [] { tooWide(), shared.modemOnline = 1; }},
    {"texts too wide, no fonts, edit mode",
     [] { tooWide(), fonts = FontState{}, shared.editMode = 1; }},
};

// Each refreshed box and input field alone, all together, pairs of
// neighbours, and pseudo-random rectangles, some reaching past the edges.
std::vector<std::vector<RECT>> clips()
{
    std::vector<RECT> boxes;
    // The input fields as drawn, reaching past their rectangles.
    for (const FieldRect& r : {layout::highRateCostInput, layout::modemPortInput})
        boxes.push_back({r.x, r.y, r.x + r.width + layout::boxOverhangRight,
                         r.y + r.height + layout::boxOverhangBelow});
    for (const FieldRect& r : layout::refreshedRects)
        boxes.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
    std::vector<std::vector<RECT>> result = {boxes};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        result.push_back({boxes[i]});
        if (i + 1 < boxes.size())
            result.push_back({boxes[i], boxes[i + 1]});
    }
    unsigned seed = 7;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    };
    for (int i = 0; i < 60; ++i) {
        std::vector<RECT> clip;
        for (int n = 1 + next(3); n > 0; --n) {
            const int left = next(660) - 10;
            const int top = next(300) - 10;
            clip.push_back({left, top, left + 1 + next(120), top + 1 + next(60)});
        }
        result.push_back(clip);
    }
    return result;
}

void paintClipped(Canvas& canvas, const std::vector<RECT>& clip, bool cull)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : clip) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    SelectClipRgn(canvas.dc(), region);
    DeleteObject(region);
    cullHiddenDrawing = cull;
    paintClientArea(canvas.dc());
    cullHiddenDrawing = true;
    SelectClipRgn(canvas.dc(), nullptr);
}

TEST(ClippedPaint, CullingChangesNoPixelUnderAnyClipInAnyState)
{
    const std::vector<std::vector<RECT>> regions = clips();
    Canvas culled(640, 280);
    Canvas plain(640, 280);
    for (const auto& state : states) {
        resetProgramState();
        createFonts();
        setClock("0:06:56", "312");
        shared.probedPort = 3;
        state.apply();
        for (std::size_t i = 0; i < regions.size(); ++i) {
            plain.fillNoise(static_cast<std::uint32_t>(i));
            culled.fillNoise(static_cast<std::uint32_t>(i));
            paintClipped(plain, regions[i], false);
            paintClipped(culled, regions[i], true);
            ASSERT_TRUE(culled.samePixels(plain)) << state.name << ", clip " << i;
        }
    }
}

// Every paint makes pens and brushes: one left behind each time would use up
// the process's GDI objects within hours.
TEST(GdiOwnership, WhatIsMadeIsDeletedWhenItsOwnerGoes)
{
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    {
        const win32::OwnedGdi<HPEN> owner(pen);
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
}

}  // namespace
