#include "display/draw_primitives_win32.h"

#include <optional>

#include "display/colours.h"
#include "display/font_style.h"
#include "display/layout.h"
#include "win32/gdi_scoped_win32.h"

bool cullHiddenDrawing = true;

namespace {

bool meetsClip(HDC dc, int left, int top, int right, int bottom)
{
    if (!cullHiddenDrawing)
        return true;
    const RECT rect = {left, top, right, bottom};
    return RectVisible(dc, &rect) != FALSE;
}

// Start pixel painted, end pixel not.
void line(HDC dc, int x0, int y0, int x1, int y1)
{
    if (!meetsClip(dc, x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, (x0 > x1 ? x0 : x1) + 1,
                   (y0 > y1 ? y0 : y1) + 1))
        return;
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

SIZE textExtent(HDC dc, const char* text)
{
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    return extent;
}

// Whether text of this extent written at (x, y) can touch the clip region.
// Glyphs may reach a little beyond their advance (overhangs, accents,
// smoothing), hence the margin.
bool textMeetsClip(HDC dc, int x, int y, SIZE extent)
{
    const int margin = extent.cy / 2 + 2;
    return meetsClip(dc, x - margin, y - margin, x + extent.cx + margin, y + extent.cy + margin);
}

void writeText(HDC dc, int x, int y, const char* text)
{
    TextOutA(dc, x, y, text, lstrlenA(text));
}

}  // namespace

void drawGroupFrame(HDC dc, int x, int y, int width, int height, const char* style, int gapWidth,
                    int inset)
{
    const bool groove = lstrcmpA(style, "U") == 0;
    const COLORREF penA = groove ? white : black;
    const COLORREF penB = groove ? black : white;
    const int q = width / 20;
    const int gapLeft = x + inset + q;
    const int gapRight = gapLeft + gapWidth;
    const int innerTop = y + inset + 1;
    const int innerBottom = y + height - inset;
    const int innerLeft = x + inset + 1;
    if (!meetsClip(dc, x, y, x + width + 2, y + height + 2))
        return;
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, penA);
        line(dc, innerLeft, innerTop, gapLeft, innerTop);
        line(dc, gapRight, innerTop, x + width - inset, innerTop);
        line(dc, x, y + height + 1, x + width + 1, y + height + 1);
        line(dc, x + width, y, x + width, y + height + 1);
        line(dc, innerLeft, innerTop, innerLeft, innerBottom);
    }
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, penB);
        line(dc, x, y, gapLeft, y);
        line(dc, gapRight, y, x + width, y);
        line(dc, innerLeft, innerBottom, x + width - inset, innerBottom);
        line(dc, x + width - inset - 1, innerTop, x + width - inset - 1, innerBottom);
        line(dc, x, y, x, y + height + 1);
    }
}

namespace {

void fieldBox(HDC dc, int x, int y, int width, int height, const char* fillColour, char* text,
              int textDx, int textDy, const char* textColour, const char* align, bool clipText)
{
    const SIZE extent = textExtent(dc, text);
    const int offset = alignedTextOffset(align, width, extent.cx);
    if (alignmentClearsText(align))
        text[0] = '\0';
    if (width == 0)
        return;

    const COLORREF fill = colourByName(fillColour);
    const int textX = x + textDx + offset;
    const int textY = y + textDy;
    const bool textShows = text[0] != '\0' && textMeetsClip(dc, textX, textY, extent);
    if (!textShows && !meetsClip(dc, x, y, x + width + layout::boxOverhangRight,
                                 y + height + layout::boxOverhangBelow)) {
        // Nothing of it shows; leave the device context as drawing would.
        SetBkColor(dc, fill);
        SetTextColor(dc, colourByName(textColour));
        SetBkMode(dc, OPAQUE);
        return;
    }
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, black);
        line(dc, x + 1, y + 1, x + width - 1, y + 1);
        line(dc, x + 1, y, x + 1, y + height + 3);
    }
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, white);
        line(dc, x, y + height + 4, x + width, y + height + 4);
        line(dc, x + width, y, x + width, y + height + 5);
    }
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, gray0);
        line(dc, x, y, x + width, y);
        line(dc, x, y + 1, x, y + height + 4);
    }
    {
        win32::ScopedPen pen(dc, PS_SOLID, 1, gray1);
        line(dc, x + 1, y + height + 3, x + width, y + height + 3);
        line(dc, x + width - 1, y + 1, x + width - 1, y + height + 3);
    }

    SetBkColor(dc, fill);
    SetTextColor(dc, colourByName(textColour));
    SetBkMode(dc, TRANSPARENT);
    {
        std::optional<win32::ScopedClip> interior;
        if (clipText)
            interior.emplace(dc, x + 2, y + 2, x + width - 1, y + height + 3);
        win32::ScopedPen pen(dc, PS_SOLID, 1, fill);
        // The text goes out after every fill row, always at the same place;
        // the last writing lies on top of the complete fill.
        for (int row = y + 2; row <= y + height + 2; ++row) {
            line(dc, x + 2, row, x + width - 1, row);
            if (textShows)
                writeText(dc, textX, textY, text);
        }
    }
    SetBkMode(dc, OPAQUE);
}

}  // namespace

void drawFieldBox(HDC dc, int x, int y, int width, int height, const char* fillColour, char* text,
                  int textDx, int textDy, const char* textColour, const char* align)
{
    fieldBox(dc, x, y, width, height, fillColour, text, textDx, textDy, textColour, align, false);
}

void drawInputFieldBox(HDC dc, int x, int y, int width, int height, const char* fillColour,
                       char* text, int textDx, int textDy, const char* textColour,
                       const char* align)
{
    fieldBox(dc, x, y, width, height, fillColour, text, textDx, textDy, textColour, align, true);
}

void drawTwoToneText(HDC dc, int x, int y, const char* text, int offset, int red1, int green1,
                     int blue1, int red2, int green2, int blue2)
{
    SIZE extent = textExtent(dc, text);
    extent.cx += offset;
    extent.cy += offset;
    const bool shows = textMeetsClip(dc, x, y, extent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, rgbColour(red1, green1, blue1));
    if (shows)
        writeText(dc, x, y, text);
    SetTextColor(dc, rgbColour(red2, green2, blue2));
    if (shows)
        writeText(dc, x + offset, y + offset, text);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, black);
}

void drawColourText(HDC dc, int x, int y, const char* text, const char* colourName)
{
    SetTextColor(dc, colourByName(colourName));
    SetBkMode(dc, TRANSPARENT);
    if (textMeetsClip(dc, x, y, textExtent(dc, text)))
        writeText(dc, x, y, text);
    SetBkMode(dc, OPAQUE);
}

HFONT createFont(int height, int width, int angle, int weight, int styleCode, const char* faceName)
{
    const FontStyle style = fontStyleFromCode(styleCode);
    return CreateFontA(height, width, angle, angle, weight, style.italic, style.underline,
                       style.strikeOut, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, faceName);
}

void selectFont(HDC dc, HFONT font)
{
    if (font != nullptr)
        SelectObject(dc, font);
}

void releaseFont(HDC dc)
{
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, OPAQUE);
}
