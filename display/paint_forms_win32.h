#pragma once
// The three forms in which the main view and the settings block draw their
// values and labels.

#include <windows.h>

#include "display/draw_primitives_win32.h"

namespace paint_forms {

// A white box whose text ends 4 pixels left of its right edge.
inline void valueRightAligned(HDC dc, int x, int y, int width, int height, char* text,
                              const char* textColour)
{
    drawFieldBox(dc, x, y, width, height, "WHITE", text, -4, 2, textColour, "L");
}

inline void valueCentred(HDC dc, int x, int y, int width, int height, const char* fillColour,
                         char* text, const char* textColour)
{
    drawFieldBox(dc, x, y, width, height, fillColour, text, 0, 2, textColour, "M");
}

// Embossed: a white copy under a dark one, one pixel down and right.
inline void label(HDC dc, int x, int y, const char* text)
{
    drawTwoToneText(dc, x, y, text, 1, 255, 255, 255, 0, 0, 0);
}

inline void darkRedLabel(HDC dc, int x, int y, const char* text)
{
    drawTwoToneText(dc, x, y, text, 1, 255, 255, 255, 100, 0, 0);
}

}  // namespace paint_forms
