// The drawing primitives' exact pixels on a memory DC. Expected pictures
// are written out by hand from the line lists: '.' the grey background,
// 'W' white, 'B' black, 'g' GRAY0, 'G' GRAY1, 'R' RED1.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "display/colours.h"
#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#include "tests/win32/display_canvas.h"

namespace {

char symbolOf(COLORREF c)
{
    switch (c) {
        case windowGrey:
            return '.';
        case RGB(255, 255, 255):
            return 'W';
        case RGB(0, 0, 0):
            return 'B';
        case RGB(130, 130, 130):
            return 'g';
        case RGB(170, 170, 170):
            return 'G';
        case RGB(255, 0, 0):
            return 'R';
        default:
            return '?';
    }
}

std::string picture(const Canvas& canvas)
{
    std::string text = "\n";
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            text += symbolOf(canvas.pixel(x, y));
        text += '\n';
    }
    return text;
}

std::string picture(const std::vector<std::string>& rows)
{
    std::string text = "\n";
    for (const std::string& row : rows)
        text += row + '\n';
    return text;
}

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

// ---- drawGroupFrame ------------------------------------------------------

// clang-format off
const std::vector<std::string> grooveWithGap = {
    "............................................",
    ".BB......BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBW..",
    ".BW......WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWBW..",
    ".BW.....................................BW..",
    ".BW.....................................BW..",
    ".BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBW..",
    ".WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW..",
    "............................................",
};
// clang-format on

TEST(GroupFrame, GrooveLeavesTheGapAndGivesEachCornerItsColour)
{
    Canvas canvas(44, 8);
    drawGroupFrame(canvas.dc(), 1, 1, 40, 4, "U", 6, 0);  // gap from x 3 to 9
    EXPECT_EQ(picture(canvas), picture(grooveWithGap));
}

// clang-format off
const std::vector<std::string> ridgeWithInset = {
    "............................................",
    ".WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWB..",
    ".W.......................................B..",
    ".W.......................................B..",
    ".W..BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBW..B..",
    ".W..B.................................W..B..",
    ".W..B.................................W..B..",
    ".W..WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW..B..",
    ".W.......................................B..",
    ".W.......................................B..",
    ".BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB..",
    "............................................",
};
// clang-format on

TEST(GroupFrame, AnyStyleButUpperCaseUDrawsTheRidge)
{
    for (const char* style : {"O", "u", "", "UU"}) {
        Canvas canvas(44, 12);
        drawGroupFrame(canvas.dc(), 1, 1, 40, 8, style, 0, 2);
        EXPECT_EQ(picture(canvas), picture(ridgeWithInset)) << "style \"" << style << "\"";
    }
}

TEST(GroupFrame, BelowWidth20TheGapStartsAtTheInset)
{
    // q = 10 / 20 = 0: the inner top's left part runs backwards from x 3 to
    // the gap at x 2, so only its start pixel shows.
    Canvas canvas(13, 8);
    drawGroupFrame(canvas.dc(), 1, 1, 10, 4, "U", 3, 1);
    EXPECT_EQ(picture(canvas), picture({
                                   ".............",
                                   ".B...BBBBBBW.",
                                   ".B.........W.",
                                   ".B.W.WWWWB.W.",
                                   ".B.BBBBBBB.W.",
                                   ".B.........W.",
                                   ".WWWWWWWWWWW.",
                                   ".............",
                               }));
}

TEST(GroupFrame, RestoresThePen)
{
    Canvas canvas(44, 8);
    HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PEN);
    drawGroupFrame(canvas.dc(), 1, 1, 40, 4, "U", 6, 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), before);
}

// ---- drawFieldBox --------------------------------------------------------

TEST(FieldBox, SunkenBorderAroundTheFill)
{
    Canvas canvas(11, 10);
    char text[] = "";
    drawFieldBox(canvas.dc(), 1, 1, 8, 2, "RED1", text, 0, 2, "BLACK", "M");
    EXPECT_EQ(picture(canvas), picture({
                                   "...........",
                                   ".ggggggggW.",
                                   ".gBBBBBBGW.",
                                   ".gBRRRRRGW.",
                                   ".gBRRRRRGW.",
                                   ".gBRRRRRGW.",
                                   ".gGGGGGGGW.",
                                   ".WWWWWWWWW.",
                                   "...........",
                                   "...........",
                               }));
}

TEST(FieldBox, HeightMinusOneDrawsTheBorderOnlyAndNoText)
{
    TextFont font;
    Canvas canvas(11, 8);
    SelectObject(canvas.dc(), font.handle());
    char text[] = "8";
    drawFieldBox(canvas.dc(), 1, 1, 8, -1, "RED1", text, 0, 0, "BLACK", "R");
    EXPECT_EQ(picture(canvas), picture({
                                   "...........",
                                   ".ggggggggW.",
                                   ".gBBBBBBGW.",
                                   ".gGGGGGGGW.",
                                   ".WWWWWWWWW.",
                                   "...........",
                                   "...........",
                                   "...........",
                               }));
}

TEST(FieldBox, HeightZeroFillsOneRowAndStillWritesTheText)
{
    Canvas canvas(11, 8);
    char empty[] = "";
    drawFieldBox(canvas.dc(), 1, 1, 8, 0, "RED1", empty, 0, 2, "BLACK", "M");
    EXPECT_EQ(picture(canvas), picture({
                                   "...........",
                                   ".ggggggggW.",
                                   ".gBBBBBBGW.",
                                   ".gBRRRRRGW.",
                                   ".gGGGGGGGW.",
                                   ".WWWWWWWWW.",
                                   "...........",
                                   "...........",
                               }));

    TextFont font;
    Canvas withText(40, 30);
    SelectObject(withText.dc(), font.handle());
    char text[] = "8";
    drawFieldBox(withText.dc(), 1, 1, 30, 0, "WHITE", text, 0, 5, "BLUE1", "M");
    bool inked = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            inked = inked || GetBValue(withText.pixel(x, y)) > GetRValue(withText.pixel(x, y));
    EXPECT_TRUE(inked) << "no blue text below the single fill row";
}

TEST(FieldBox, WidthZeroDrawsNothingButTheClearCodeStillEmptiesTheText)
{
    Canvas canvas(12, 12);
    const Image before = canvas.image();
    char kept[] = "12";
    drawFieldBox(canvas.dc(), 1, 1, 0, 5, "RED1", kept, 0, 2, "BLACK", "M");
    EXPECT_STREQ(kept, "12");
    char cleared[] = "12";
    drawFieldBox(canvas.dc(), 1, 1, 0, 5, "RED1", cleared, 0, 2, "BLACK", "O");
    EXPECT_STREQ(cleared, "");
    EXPECT_EQ(canvas.image().pixels, before.pixels);
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

TEST(FieldBox, CentringHalvesTheTextWidthInFloatingPoint)
{
    TextFont font;
    Canvas probe(1, 1);
    SelectObject(probe.dc(), font.handle());
    // The width 50 example: a 24-pixel text sits at offset 13.
    ASSERT_EQ(textWidth(probe.dc(), "1234"), 24);
    expectTextAt("M", 50, "1234", 0, 13);
    // An odd text width in an odd box: (51 - 25) - w / 2, truncated.
    const int odd = textWidth(probe.dc(), "1234i");
    ASSERT_EQ(odd % 2, 1) << "need a text of odd width";
    expectTextAt("M", 51, "1234i", 0, static_cast<int>(26 - odd * 0.5));
}

TEST(FieldBox, RightEdgeTextWiderThanTheBoxStartsLeftOfIt)
{
    TextFont font;
    Canvas canvas(120, 30);
    SelectObject(canvas.dc(), font.handle());
    char text[] = "2001-05-09 14:30:00";
    drawFieldBox(canvas.dc(), 80, 4, 30, 15, "WHITE", text, -4, 2, "BLUE1", "L");
    int leftmostBlue = 120;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (canvas.pixel(x, y) == RGB(0, 0, 255))
                leftmostBlue = std::min(leftmostBlue, x);
    EXPECT_LT(leftmostBlue, 80) << "the text is not clipped to the box";
}

TEST(FieldBox, SameColourForFillAndTextHidesTheText)
{
    TextFont font;
    Canvas withText(60, 26);
    Canvas without(60, 26);
    SelectObject(withText.dc(), font.handle());
    char text[] = "16:27";
    char none[] = "";
    drawFieldBox(withText.dc(), 2, 2, 50, 15, "GREEN0", text, 0, 2, "GREEN0", "M");
    drawFieldBox(without.dc(), 2, 2, 50, 15, "GREEN0", none, 0, 2, "GREEN0", "M");
    EXPECT_EQ(withText.image().pixels, without.image().pixels);
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

TEST(TwoToneText, OnlyTheLow8BitsOfEachComponentCount)
{
    TextFont font;
    Canvas wrapped(80, 24);
    Canvas plain(80, 24);
    SelectObject(wrapped.dc(), font.handle());
    SelectObject(plain.dc(), font.handle());
    drawTwoToneText(wrapped.dc(), 4, 3, "Tid nu", 2, 256 + 255, 256, 512 + 100, 356, -256, 255);
    drawTwoToneText(plain.dc(), 4, 3, "Tid nu", 2, 255, 0, 100, 100, 0, 255);
    EXPECT_EQ(wrapped.image().pixels, plain.image().pixels);
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

TEST(Fonts, StyleCodeAndFamilyReachTheFont)
{
    HFONT font = createFont(nullptr, 22, 12, 0, 600, 12, 32, nullptr);
    ASSERT_NE(font, nullptr);
    LOGFONTA logical = {};
    ASSERT_EQ(GetObjectA(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(logical.lfHeight, 22);
    EXPECT_EQ(logical.lfWidth, 12);
    EXPECT_EQ(logical.lfWeight, 600);
    EXPECT_TRUE(logical.lfItalic);
    EXPECT_TRUE(logical.lfUnderline);
    EXPECT_FALSE(logical.lfStrikeOut);
    EXPECT_EQ(logical.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(logical.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
    EXPECT_STREQ(logical.lfFaceName, "");
    DeleteObject(font);

    font = createFont(nullptr, 16, 6, 90, 0, 0, 32, nullptr);
    ASSERT_EQ(GetObjectA(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(logical.lfEscapement, 90);
    EXPECT_EQ(logical.lfOrientation, 90);
    EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
    DeleteObject(font);
}

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

TEST(Fonts, SelectingANullFontLeavesTheCurrentOne)
{
    TextFont font;
    Canvas canvas(4, 4);
    SelectObject(canvas.dc(), font.handle());
    EXPECT_EQ(selectFont(canvas.dc(), nullptr), 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font.handle());
}

}  // namespace
