#include "display/colours.h"

#include <cstring>

const NamedColour colourTable[namedColourCount] = {
    {"BLACK", black},
    {"WHITE", white},
    {"GRAY0", gray0},
    {"GRAY1", gray1},
    {"GREEN0", rgbColour(0, 170, 0)},
    {"GREEN1", rgbColour(0, 255, 0)},
    {"RED0", rgbColour(170, 0, 0)},
    {"RED1", rgbColour(255, 0, 0)},
    {"BLUE0", rgbColour(0, 0, 170)},
    {"BLUE1", rgbColour(0, 0, 255)},
};

namespace {

bool sameCode(const char* a, const char* b)
{
    return a != nullptr && std::strcmp(a, b) == 0;
}

}  // namespace

ColourValue colourByName(const char* name)
{
    for (const NamedColour& entry : colourTable) {
        if (sameCode(name, entry.name))
            return entry.value;
    }
    return black;
}

int alignedTextOffset(const char* align, int width, int textWidth)
{
    if (sameCode(align, "L"))
        return width - textWidth;
    if (sameCode(align, "M")) {
        // Integer halving of the width, but the text's half in floating
        // point: width 100 and text 41 give 50 - 20.5, truncated to 29.
        const double offset = (width - width / 2) - textWidth * 0.5;
        return static_cast<int>(offset);
    }
    if (sameCode(align, "R"))
        return 2;
    return 0;
}

bool alignmentClearsText(const char* align)
{
    return sameCode(align, "O");
}
