#include <gtest/gtest.h>

#include <string>

#include "display/colours.h"
#include "display/font_style.h"

namespace {

TEST(ColourTable, NamesResolveToColorrefWithRedInTheLowByte)
{
    const std::pair<const char*, ColourValue> expected[] = {
        {"BLACK", 0x000000},  {"WHITE", 0xFFFFFF},  {"GRAY0", 0x828282}, {"GRAY1", 0xAAAAAA},
        {"GREEN0", 0x00AA00}, {"GREEN1", 0x00FF00}, {"RED0", 0x0000AA},  {"RED1", 0x0000FF},
        {"BLUE0", 0xAA0000},  {"BLUE1", 0xFF0000},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(colourByName(name), value) << name;
}

TEST(ColourTable, OnlyExactUpperCaseNamesMatch)
{
    EXPECT_EQ(colourByName("RED1"), 0x0000FFu);
    EXPECT_EQ(colourByName("red1"), black);
    EXPECT_EQ(colourByName("RED"), black);
    EXPECT_EQ(colourByName("RED1 "), black);
    EXPECT_EQ(colourByName(""), black);
    EXPECT_EQ(colourByName(nullptr), black);
}

TEST(ColourTable, ComponentsKeepOnlyTheirLow8Bits)
{
    EXPECT_EQ(rgbColour(256, 0, 0), 0x000000u);
    EXPECT_EQ(rgbColour(0, 256 + 170, 0), 0x00AA00u);
    EXPECT_EQ(rgbColour(0, 0, -1), 0xFF0000u);
    EXPECT_EQ(rgbColour(100, 0, 0), 0x000064u);
}

TEST(TextOffset, RightEdgeAlignmentCanGoNegative)
{
    EXPECT_EQ(alignedTextOffset("L", 100, 41), 59);
    EXPECT_EQ(alignedTextOffset("L", 50, 70), -20);
}

TEST(TextOffset, CentreHalvesTheWidthAsIntegerAndTheTextInFloatingPoint)
{
    EXPECT_EQ(alignedTextOffset("M", 100, 41), 29);  // 50 - 20.5
    EXPECT_EQ(alignedTextOffset("M", 50, 24), 13);
    EXPECT_EQ(alignedTextOffset("M", 101, 0), 51);  // 101 - 50
    EXPECT_EQ(alignedTextOffset("M", 51, 25), 13);  // 26 - 12.5
    // Truncated toward zero, not rounded down: 5 - 12.5 = -7.5 gives -7.
    EXPECT_EQ(alignedTextOffset("M", 10, 25), -7);
    // Negative widths halve toward zero too: -5 - (-2) = -3.
    EXPECT_EQ(alignedTextOffset("M", -5, 0), -3);
}

TEST(TextOffset, FixedAndUnknownCodes)
{
    EXPECT_EQ(alignedTextOffset("R", 100, 41), 2);
    EXPECT_EQ(alignedTextOffset("O", 100, 41), 0);
    EXPECT_EQ(alignedTextOffset("m", 100, 41), 0);
    EXPECT_TRUE(alignmentClearsText("O"));
    EXPECT_FALSE(alignmentClearsText("o"));
    EXPECT_FALSE(alignmentClearsText("L"));
}

std::string effects(int code)
{
    const FontStyle s = fontStyleFromCode(code);
    return std::string(s.italic ? "I" : "") + (s.underline ? "U" : "") + (s.strikeOut ? "S" : "");
}

TEST(FontStyleCode, DigitsNameTheEffects)
{
    EXPECT_EQ(effects(0), "");
    EXPECT_EQ(effects(1), "I");
    EXPECT_EQ(effects(2), "U");
    EXPECT_EQ(effects(3), "S");
    EXPECT_EQ(effects(12), "IU");
    EXPECT_EQ(effects(13), "IS");
    EXPECT_EQ(effects(23), "US");
    EXPECT_EQ(effects(123), "IUS");
    // Outside the table: other digits are ignored, the sign too.
    EXPECT_EQ(effects(40), "");
    EXPECT_EQ(effects(-21), "IU");
}

}  // namespace
