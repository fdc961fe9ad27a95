#pragma once
// The value boxes that the refresh repaints about once a second, each
// described once: where it is drawn, what the refresh repaints for it, its
// text and its colours. The paint draws these descriptions and the refresh
// cache compares them, so the two cannot disagree. Portable: no <windows.h>.

#include "display/layout.h"
#include "timekeeping/clock.h"

enum class TextPlacement {
    rightAligned,  // the text ends 4 pixels left of the box's right edge
    centred
};

struct RefreshedBox {
    FieldRect drawn;
    FieldRect refreshed;  // layout::refreshedRects: where the drawing reaches
    TextPlacement placement;
    const char* fill;
    const char* ink;
    // Sized like the run text: a total's hour count comes from a 64-bit
    // millisecond count and can be long.
    char text[runTextSize];
    // Drawn by the paint as described. In edit mode the right group's boxes
    // are not drawn: the settings block's texts lie there, drawn
    // transparently over what is there, which drawing again does not
    // reproduce exactly with anti-aliased text.
    bool settled;
};

// The right group's boxes, which show only while edit mode is off, follow
// the left group's. The time now shows in two.
constexpr int firstRightBox = 5;
constexpr int timeNowBox = 2;
constexpr int rightTimeNowBox = 8;

// The refreshed boxes, in the order the refresh invalidates them.
struct RefreshedBoxes {
    RefreshedBox box[layout::refreshedBoxCount];
};

// Each box as a paint would draw it now, from the state as it stands; the
// right group's times show only while the modem is on line.
void describeRefreshedBoxes(RefreshedBoxes& out);
