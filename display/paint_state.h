#pragma once
// The painting's own texts, kept between paints. Portable: no <windows.h>.

#include "timekeeping/clock.h"

struct PaintState {
    // The time or date box being drawn. Sized like the run text: a total's
    // hour count comes from a 64-bit millisecond count and can be long.
    char fieldText[runTextSize] = "";
    char comText[32] = "";
    // The word of the last live paint.
    char modemStateText[4] = "OFF";
    char modemStateFill[7] = "";
    char modemStateInk[7] = "";
};

extern PaintState paintState;
