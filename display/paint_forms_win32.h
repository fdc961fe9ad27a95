#pragma once
// The three forms in which the main view and the settings block draw their
// values and labels.

#include <windows.h>

#include "display/draw_primitives_win32.h"
#include "display/layout.h"

namespace paint_forms {

// A white box whose text ends 4 pixels left of its right edge.
inline void valueRightAligned(HDC dc, const FieldRect& box, char* text, const char* textColour)
{
    drawFieldBox(dc, box.x, box.y, box.width, box.height, "WHITE", text, -4, 2, textColour, "L");
}

inline void valueCentred(HDC dc, const FieldRect& box, const char* fillColour, char* text,
                         const char* textColour)
{
    drawFieldBox(dc, box.x, box.y, box.width, box.height, fillColour, text, 0, 2, textColour, "M");
}

// A group frame or the ridge around buttons: style "U" sunken with a gap of
// `gapWidth` for the heading, "O" raised and unbroken.
inline void frame(HDC dc, const FieldRect& r, const char* style, int gapWidth)
{
    drawGroupFrame(dc, r.x, r.y, r.width, r.height, style, gapWidth, 0);
}

// Embossed: a white copy under a dark one, one pixel down and right.
inline void label(HDC dc, TextPlace at, const char* text)
{
    drawTwoToneText(dc, at.x, at.y, text, 1, 255, 255, 255, 0, 0, 0);
}

inline void darkRedLabel(HDC dc, TextPlace at, const char* text)
{
    drawTwoToneText(dc, at.x, at.y, text, 1, 255, 255, 255, 100, 0, 0);
}

inline void plainText(HDC dc, TextPlace at, const char* text)
{
    drawColourText(dc, at.x, at.y, text, "BLACK");
}

}  // namespace paint_forms
