// The drawing primitives' text on a memory DC: where and in which colours
// text lands, which the reference images tolerate as glyph pixels. Their
// lines, borders and fills are checked pixel for pixel by the reference
// images of the whole view.

#include <gtest/gtest.h>
#include <windows.h>

#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#include "tests/win32/display_canvas.h"

namespace {

// A font like the program's text font.
class TextFont {
public:
    TextFont() : font_(createFont(nullptr, 16, 6, 0, 0, 0, 32, nullptr)) {}
    ~TextFont() { DeleteObject(font_); }
    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

int textWidth(HDC dc, const char* text)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size.cx;
}

void writeTransparent(HDC dc, int x, int y, const char* text, COLORREF colour)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, lstrlenA(text));
}

// The box with its text must equal the empty box with the text written once
// at (x + textDx + offset, y + textDy), transparently.
void expectTextAt(const char* align, int width, const char* text, int textDx, int expectedOffset)
{
    TextFont font;
    Canvas actual(140, 30);
    Canvas expected(140, 30);
    SelectObject(actual.dc(), font.handle());
    SelectObject(expected.dc(), font.handle());

    char buffer[16];
    lstrcpyA(buffer, text);
    drawFieldBox(actual.dc(), 10, 4, width, 15, "WHITE", buffer, textDx, 2, "RED0", align);
    char none[] = "";
    drawFieldBox(expected.dc(), 10, 4, width, 15, "WHITE", none, textDx, 2, "RED0", align);
    writeTransparent(expected.dc(), 10 + textDx + expectedOffset, 6, text, RGB(170, 0, 0));

    EXPECT_EQ(actual.image().pixels, expected.image().pixels)
        << align << " width " << width << " \"" << text << "\"";
}

TEST(FieldBox, TextPlacementByAlignmentCode)
{
    TextFont font;
    Canvas probe(1, 1);
    SelectObject(probe.dc(), font.handle());
    const int w = textWidth(probe.dc(), "2001-05-09");
    ASSERT_GT(w, 0);
    expectTextAt("L", 100, "2001-05-09", -4, 100 - w);
    expectTextAt("R", 100, "2001-05-09", 0, 2);
    expectTextAt("M", 100, "2001-05-09", 0, 50 - w / 2);
}

TEST(FieldBox, ClearCodeDrawsTheBoxWithoutText)
{
    TextFont font;
    Canvas cleared(60, 26);
    Canvas empty(60, 26);
    SelectObject(cleared.dc(), font.handle());
    char text[] = "16:27";
    char none[] = "";
    drawFieldBox(cleared.dc(), 2, 2, 50, 15, "WHITE", text, 0, 2, "BLACK", "O");
    drawFieldBox(empty.dc(), 2, 2, 50, 15, "WHITE", none, 0, 2, "BLACK", "M");
    EXPECT_STREQ(text, "");
    EXPECT_EQ(cleared.image().pixels, empty.image().pixels);
}

TEST(FieldBox, LeavesFillAndTextColourAndOpaqueModeButRestoresThePen)
{
    Canvas canvas(60, 26);
    HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
    char text[] = "1";
    drawFieldBox(canvas.dc(), 2, 2, 50, 15, "BLUE0", text, 0, 2, "GREEN1", "M");
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(0, 0, 170));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 255, 0));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
}

// ---- drawTwoToneText and drawColourText ----------------------------------

TEST(TwoToneText, DarkCopyOverTheFirstAtTheOffset)
{
    TextFont font;
    Canvas actual(80, 24);
    Canvas expected(80, 24);
    SelectObject(actual.dc(), font.handle());
    SelectObject(expected.dc(), font.handle());
    drawTwoToneText(actual.dc(), 4, 3, "Tid nu", 1, 255, 255, 255, 100, 0, 0);
    writeTransparent(expected.dc(), 4, 3, "Tid nu", RGB(255, 255, 255));
    writeTransparent(expected.dc(), 5, 4, "Tid nu", RGB(100, 0, 0));
    EXPECT_EQ(actual.image().pixels, expected.image().pixels);
    EXPECT_EQ(GetTextColor(actual.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(actual.dc()), OPAQUE);
}

TEST(ColourText, NamedColourOnATransparentBackground)
{
    TextFont font;
    Canvas actual(80, 24);
    Canvas expected(80, 24);
    SelectObject(actual.dc(), font.handle());
    SelectObject(expected.dc(), font.handle());
    SetBkColor(actual.dc(), RGB(0, 255, 0));  // must not show
    drawColourText(actual.dc(), 4, 3, "kr/min", "BLUE0");
    writeTransparent(expected.dc(), 4, 3, "kr/min", RGB(0, 0, 170));
    EXPECT_EQ(actual.image().pixels, expected.image().pixels);
    EXPECT_EQ(GetTextColor(actual.dc()), RGB(0, 0, 170));
    EXPECT_EQ(GetBkMode(actual.dc()), OPAQUE);
}

// ---- fonts ---------------------------------------------------------------

TEST(Fonts, StartUpMakesThePlainHeadingAndTextFonts)
{
    fonts = FontState{};
    createFonts();
    struct Expected {
        HFONT font;
        LONG height, width, weight;
    };
    for (const Expected& e :
         {Expected{fonts.headingFont, 22, 12, 600}, Expected{fonts.textFont, 16, 6, 0}}) {
        LOGFONTA logical = {};
        ASSERT_EQ(GetObjectA(e.font, sizeof logical, &logical), static_cast<int>(sizeof logical));
        EXPECT_EQ(logical.lfHeight, e.height);
        EXPECT_EQ(logical.lfWidth, e.width);
        EXPECT_EQ(logical.lfWeight, e.weight);
        EXPECT_EQ(logical.lfEscapement, 0);
        EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
        EXPECT_EQ(logical.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
        EXPECT_STREQ(logical.lfFaceName, "");
    }
}

TEST(Fonts, ReleaseSelectsTheSystemFontAndKeepsTheFontForTheNextPaint)
{
    TextFont font;
    Canvas canvas(4, 4);
    SetBkMode(canvas.dc(), TRANSPARENT);
    EXPECT_EQ(selectFont(canvas.dc(), font.handle()), 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font.handle());
    EXPECT_EQ(releaseFont(canvas.dc(), font.handle()), 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    selectFont(canvas.dc(), font.handle());
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font.handle());
}

}  // namespace
