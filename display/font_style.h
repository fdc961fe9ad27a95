#pragma once
// The font style code of createFont: its decimal digits name the effects,
// 1 italic, 2 underline, 3 strike-out (12 is italic and underlined).
// Portable: no <windows.h>.

struct FontStyle {
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Any digit 1, 2 or 3 anywhere in the code switches its effect on; other
// digits and the sign are ignored, so unknown codes still give a plain or
// partly styled font rather than an error.
FontStyle fontStyleFromCode(int styleCode);
