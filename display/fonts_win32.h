#pragma once
// The program's two fonts: made once at start-up, kept for the whole run and
// deleted at exit. Painting works while they are still null, as it must when
// a start-up message box delivers paints early.

#include <windows.h>

#include "win32/gdi_scoped_win32.h"

// Only fonts_win32.cpp writes FontState.
struct FontState {
    win32::OwnedGdi<HFONT> headingFont;  // the two group headings
    win32::OwnedGdi<HFONT> textFont;     // every other text
};

extern FontState fonts;

// Start-up step: makes headingFont (22 by 12, weight 600) and textFont
// (16 by 6, default weight), plain, sans-serif chosen by family.
void createFonts();
