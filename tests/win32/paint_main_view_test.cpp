// The whole main view painted into a memory DC and compared with reference
// images (tests/win32/reference/, the test's working directory): NAME.bmp is
// the paint as the user sees it, NAME-lines.bmp the same paint with every
// TextOutA suppressed (frames, borders and fills only). The glyph-free paint
// must match its reference exactly. The full paint may differ only on glyph
// pixels, and only where another rasteriser could put them: a glyph pixel's
// colour must be found within a pixel of it in the other image, so text in
// the wrong colour, box or place still fails.
// To render the references afresh (after a deliberate change of the
// picture), run the test with URAVIK_UPDATE_REFERENCES=1 set, e.g.
//   URAVIK_UPDATE_REFERENCES=1 scripts/wine-session.sh ctest -R display
// from the build directory, then look at the images before committing.
// Culling hidden lines and texts must change no pixel under any clip region.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "common/shared_state.h"
#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#include "display/layout.h"
#include "display/paint_window_win32.h"
#include "tests/fresh_program_state.h"
#include "tests/win32/display_canvas.h"
#include "win32/gdi_scoped_win32.h"

namespace {

constexpr COLORREF red1 = RGB(255, 0, 0);

void tooWide()
{
    setShownClock({"2026", "12", "7", "0", "4", "59", "23", "58", "3", "1193:59:59",
                   "12345678901234567890", "5", "48"});
    shared.probedPort = -2147483647;
    std::snprintf(shared.highRateCostText, sizeof shared.highRateCostText, "WWWWWWW");
    std::snprintf(shared.modemPortText, sizeof shared.modemPortText, "MMMMMMM");
}

// Every state the window can show; the first ones have reference images.
constexpr int referenceCount = 3;
const std::pair<const char*, void (*)()> states[] = {
    {"main-view-offline", [] {}},
    {"main-view-online", [] { shared.modemOnline = 1; }},
    {"edit-mode",
     [] {
         shared.editMode = 1;
         std::snprintf(shared.highRateCostText, sizeof shared.highRateCostText, "50");
     }},
    {"no fonts yet, on line", [] { fonts = FontState{}, shared.modemOnline = 1; }},
    {"texts too wide, on line", [] { tooWide(), shared.modemOnline = 1; }},
    {"texts too wide, no fonts, edit mode",
     [] { tooWide(), fonts = FontState{}, shared.editMode = 1; }},
};

// Whether `colour` is found in the rectangle (as far as it lies in the image).
bool colourIn(const Image& image, RECT r, COLORREF colour)
{
    for (int y = std::max(0L, r.top); y < std::min<LONG>(image.height, r.bottom); ++y)
        for (int x = std::max(0L, r.left); x < std::min<LONG>(image.width, r.right); ++x)
            if (image.at(x, y) == colour)
                return true;
    return false;
}

// Whether `colour` is found within a pixel of (x, y).
bool nearby(const Image& image, int x, int y, COLORREF colour)
{
    return colourIn(image, {x - 1, y - 1, x + 2, y + 2}, colour);
}

// A reference image; rendered afresh from `painted` first when
// URAVIK_UPDATE_REFERENCES is set (and not "0").
Image reference(const std::string& name, const Image* painted = nullptr)
{
    const char* update = std::getenv("URAVIK_UPDATE_REFERENCES");
    if (painted != nullptr && update != nullptr && *update != '\0' && std::string(update) != "0") {
        EXPECT_TRUE(writeBmp(name, *painted)) << "cannot write " << name;
    }
    Image image;
    EXPECT_TRUE(readBmp(name, &image)) << "cannot read " << name;
    EXPECT_EQ(image.width * image.height, 640 * 280) << name;
    return image;
}

class MainView : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        createFonts();
        // 9 May 2001, 14:30:00, started at 8:05:09; run 1:02:03; total 1234:05:00.
        setShownClock(
            {"2001", "5", "9", "14", "30", "0", "8", "5", "9", "1:02:03", "1234", "5", "0"});
        shared.probedPort = 3;
    }

    Image paint()
    {
        canvas.fill(windowGrey);
        paintClientArea(canvas.dc());
        return canvas.image();
    }
    Image paintLines()
    {
        NoGlyphs noGlyphs;
        return paint();
    }

    Canvas canvas{640, 280};
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

// Paints over pseudo-random pixels (the same for the same seed).
void paintClipped(Canvas& canvas, const std::vector<RECT>& clip, bool cull, std::uint32_t seed)
{
    canvas.fillNoise(seed);
    const win32::OwnedGdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& r : clip)
        CombineRgn(region.get(), region.get(),
                   win32::OwnedGdi<HRGN>(CreateRectRgnIndirect(&r)).get(), RGN_OR);
    SelectClipRgn(canvas.dc(), region.get());
    cullHiddenDrawing = cull;
    paintClientArea(canvas.dc());
    cullHiddenDrawing = true;
    SelectClipRgn(canvas.dc(), nullptr);
}

TEST_F(MainView, MatchesTheReferenceImages)
{
    for (const auto& [name, apply] : std::vector(states, states + referenceCount)) {
        SCOPED_TRACE(name);
        SetUp();
        apply();
        const Image full = paint();
        const Image lines = paintLines();
        const Image fullReference = reference(name + std::string(".bmp"), &full);
        const Image linesReference = reference(name + std::string("-lines.bmp"), &lines);
        if (HasFailure())
            return;

        int differences = 0;
        for (int y = 0; y < 280; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool glyph = full.at(x, y) != lines.at(x, y) ||
                                   fullReference.at(x, y) != linesReference.at(x, y);
                const bool fits = full.at(x, y) == fullReference.at(x, y) ||
                                  (glyph && nearby(fullReference, x, y, full.at(x, y)) &&
                                   nearby(full, x, y, fullReference.at(x, y)));
                if ((lines.at(x, y) != linesReference.at(x, y) || !fits) && ++differences <= 10)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                                  << full.at(x, y) << " (lines " << lines.at(x, y)
                                  << "), the reference has " << fullReference.at(x, y) << " (lines "
                                  << linesReference.at(x, y) << ")";
            }
        EXPECT_EQ(differences, 0);
    }
}

TEST_F(MainView, TypedTextWiderThanItsFieldStaysInsideTheBox)
{
    shared.editMode = 1;
    std::snprintf(shared.modemPortText, sizeof shared.modemPortText, "WWWWWWW");
    const Image shown = paint();
    const FieldRect& box = layout::modemPortInput;
    const RECT inside = {box.x + 2, box.y + 2, box.x + box.width - 1, box.y + box.height + 2};
    EXPECT_TRUE(colourIn(shown, inside, red1));
    for (RECT beside : {RECT{inside.left - 20, inside.top - 2, inside.left, inside.bottom + 3},
                        RECT{inside.right, inside.top - 2, inside.right + 20, inside.bottom + 3}})
        EXPECT_FALSE(colourIn(shown, beside, red1)) << "red text outside the box's interior";
}

TEST_F(MainView, PaintsItsLinesBeforeTheFontsExist)
{
    fonts = FontState{};
    const Image lines = paintLines();
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_TRUE(lines.pixels == reference("main-view-offline-lines.bmp").pixels);
}

TEST_F(MainView, CullingChangesNoPixelUnderAnyClipInAnyState)
{
    const std::vector<std::vector<RECT>> regions = clips();
    Canvas plain(640, 280);
    for (const auto& [name, apply] : states) {
        SetUp();
        apply();
        for (std::size_t i = 0; i < regions.size(); ++i) {
            paintClipped(plain, regions[i], false, static_cast<std::uint32_t>(i));
            paintClipped(canvas, regions[i], true, static_cast<std::uint32_t>(i));
            ASSERT_TRUE(canvas.samePixels(plain)) << name << ", clip " << i;
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
