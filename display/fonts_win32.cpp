#include "display/fonts_win32.h"

#include "display/draw_primitives_win32.h"

FontState fonts;

void createFonts()
{
    fonts.headingFont = win32::OwnedGdi<HFONT>(createFont(22, 12, 0, 600, 0, nullptr));
    fonts.textFont = win32::OwnedGdi<HFONT>(createFont(16, 6, 0, 0, 0, nullptr));
}
