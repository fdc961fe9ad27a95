#pragma once
// The ten colour names that display code passes around, and the text
// placement arithmetic of a value box. Portable: no <windows.h>.

#include <cstdint>

// A 24-bit colour laid out as the platform's COLORREF: red in the low byte,
// then green, then blue; the top byte 0.
using ColourValue = std::uint32_t;

// Only the low 8 bits of each component count, so 256 is 0 again.
constexpr ColourValue rgbColour(int red, int green, int blue)
{
    return static_cast<ColourValue>(red & 0xFF) | static_cast<ColourValue>(green & 0xFF) << 8 |
           static_cast<ColourValue>(blue & 0xFF) << 16;
}

struct NamedColour {
    const char* name;
    ColourValue value;
};

constexpr int namedColourCount = 10;
extern const NamedColour colourTable[namedColourCount];

constexpr ColourValue black = rgbColour(0, 0, 0);
constexpr ColourValue white = rgbColour(255, 255, 255);
constexpr ColourValue gray0 = rgbColour(130, 130, 130);
constexpr ColourValue gray1 = rgbColour(170, 170, 170);

// The colour of an exact, case-sensitive name from the table. Any other
// name (or null) gives black, so a stray name still draws something legible.
ColourValue colourByName(const char* name);

// Horizontal offset of a value box's text from x + textDx:
//   "L" the text ends at the right edge (width - textWidth),
//   "M" centred: (width - width / 2) - textWidth / 2, the half in floating
//       point, truncated toward zero,
//   "R" 2 pixels in.
// "O" (which empties the text) and unknown codes give 0.
int alignedTextOffset(const char* align, int width, int textWidth);

// True for "O", the code that empties the box's text instead of placing it.
bool alignmentClearsText(const char* align);
