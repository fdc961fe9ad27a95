#pragma once
// The program's two fonts: made once at start-up and kept for the whole run
// (the system reclaims them at exit). Painting works while they are still
// null, as it must when a start-up message box delivers paints early.

#include <windows.h>

struct FontState {
    HFONT headingFont = nullptr;  // the two group headings
    HFONT textFont = nullptr;     // every other text
};

extern FontState fonts;

// Start-up step: makes headingFont (22 by 12, weight 600) and textFont
// (16 by 6, default weight), plain, sans-serif chosen by family.
void createFonts();
