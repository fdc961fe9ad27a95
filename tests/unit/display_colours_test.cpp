#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "display/colours.h"
#include "display/font_style.h"

namespace {

TEST(ColourTable, ExactUpperCaseNamesResolveToColorrefWithRedInTheLowByte)
{
    const std::pair<const char*, ColourValue> expected[] = {
        {"BLACK", 0x000000},  {"WHITE", 0xFFFFFF},  {"GRAY0", 0x828282}, {"GRAY1", 0xAAAAAA},
        {"GREEN0", 0x00AA00}, {"GREEN1", 0x00FF00}, {"RED0", 0x0000AA},  {"RED1", 0x0000FF},
        {"BLUE0", 0xAA0000},  {"BLUE1", 0xFF0000},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(colourByName(name), value) << name;
    // Anything else is black.
    for (const char* unknown : {"red1", "RED1 ", ""})
        EXPECT_EQ(colourByName(unknown), 0u) << unknown;
    EXPECT_EQ(colourByName(nullptr), 0u);
    // Components keep only their low 8 bits.
    EXPECT_EQ(rgbColour(256, 256 + 170, -1), 0xFFAA00u);
}

TEST(TextOffset, AlignmentCodes)
{
    // Centred: the width halved as an integer, the text in floating point,
    // truncated toward zero.
    const std::tuple<const char*, int, int, int> cases[] = {
        {"L", 100, 41, 59}, {"L", 50, 70, -20}, {"M", 100, 41, 29},
        {"M", 101, 0, 51},  {"M", 10, 25, -7},  {"M", -5, 0, -3},
        {"R", 100, 41, 2},  {"O", 100, 41, 0},  {"m", 100, 41, 0}};
    for (const auto& [align, width, textWidth, offset] : cases)
        EXPECT_EQ(alignedTextOffset(align, width, textWidth), offset)
            << align << " " << width << " " << textWidth;
    EXPECT_TRUE(alignmentClearsText("O"));
    EXPECT_FALSE(alignmentClearsText("o"));
}

TEST(FontStyleCode, DigitsNameTheEffectsOthersAndTheSignAreIgnored)
{
    const std::pair<int, const char*> cases[] = {
        {0, ""},    {1, "I"},   {2, "U"},     {3, "S"}, {12, "IU"},
        {13, "IS"}, {23, "US"}, {123, "IUS"}, {40, ""}, {-21, "IU"},
    };
    for (const auto& [code, expected] : cases) {
        const auto [italic, underline, strikeOut] = fontStyleFromCode(code);
        EXPECT_EQ(std::string(italic ? "I" : "") + (underline ? "U" : "") + (strikeOut ? "S" : ""),
                  expected)
            << code;
    }
}

}  // namespace
