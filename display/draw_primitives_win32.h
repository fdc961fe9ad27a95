#pragma once
// The seven drawing primitives that every painted element is made of.
// Lines are solid 1-pixel pens from a start point (painted) to an end point
// (not painted); where lines overlap at a corner, the one drawn last wins,
// so the order below is part of the picture.

#include <windows.h>

// On: each line and text whose bounds miss the device context's clip region
// is skipped (what is drawn, and its order, stay the same). Off: everything
// is drawn and left to the clipping.
extern bool cullHiddenDrawing;

// Two nested rectangles with a gap in both top edges for a caption. Style
// "U" gives an engraved groove, any other style a raised ridge.
void drawGroupFrame(HDC dc, int x, int y, int width, int height, const char* style, int gapWidth,
                    int inset);

// A sunken box filled with a named colour, holding one line of text placed
// by the alignment code ("L", "M", "R"; "O" empties `text` instead). The
// text is measured with the font selected now. Width 0 draws nothing.
void drawFieldBox(HDC dc, int x, int y, int width, int height, const char* fillColour, char* text,
                  int textDx, int textDy, const char* textColour, const char* align);

// As drawFieldBox, with the text clipped to the box's interior: for a text
// the user types, which may be wider than its box and would otherwise spill
// over the border where no later paint of the box erases it.
void drawInputFieldBox(HDC dc, int x, int y, int width, int height, const char* fillColour,
                       char* text, int textDx, int textDy, const char* textColour,
                       const char* align);

// The text twice: in the first colour at (x, y), then in the second at
// (x + offset, y + offset) over it. Leaves the text colour black.
void drawTwoToneText(HDC dc, int x, int y, const char* text, int offset, int red1, int green1,
                     int blue1, int red2, int green2, int blue2);

// The text in a named colour, on a transparent background.
void drawColourText(HDC dc, int x, int y, const char* text, const char* colourName);

// A sans-serif font chosen by family, never by face name when faceName is
// null.
HFONT createFont(int height, int width, int angle, int weight, int styleCode, const char* faceName);

// Selects the font; a null font (fonts not made yet) leaves the DC's font
// as it is.
void selectFont(HDC dc, HFONT font);

// Puts the system font back; the font itself stays valid.
void releaseFont(HDC dc);
