#include "display/settings_block_win32.h"

#include <cstring>

#include "common/shared_state.h"
#include "display/display_texts.h"
#include "display/paint_forms_win32.h"

namespace {

void valueBox(HDC dc, const FieldRect& box, char* text)
{
    paint_forms::valueCentred(dc, box, "WHITE", text, "RED1");
}

// A field the user types into: the same box, its text kept inside it.
void inputField(HDC dc, const FieldRect& box, char* text)
{
    drawInputFieldBox(dc, box.x, box.y, box.width, box.height, "WHITE", text, 0, 2, "RED1", "M");
}

}  // namespace

void paintSettingsBlock(HDC dc)
{
    namespace t = display_texts;
    using paint_forms::label;
    char fixedCost[8];
    std::strcpy(fixedCost, t::fixedCost);

    drawColourText(dc, 290, 35, t::settingsInstruction, "BLACK");
    label(dc, 285, 65, t::lowRateFromLabel);
    valueBox(dc, layout::lowRateFromBox, fixedCost);
    label(dc, 285, 95, t::lowRateCostLabel);
    valueBox(dc, layout::lowRateCostBox, fixedCost);
    label(dc, 285, 125, t::highRateFromLabel);
    valueBox(dc, layout::highRateFromBox, fixedCost);
    label(dc, 285, 155, t::highRateCostLabel);
    // The two input fields: exactly the rectangles that clicks and typing use.
    inputField(dc, layout::highRateCostInput, shared.highRateCostText);
    drawColourText(dc, 290, 190, t::modemPortInstruction1, "BLACK");
    drawColourText(dc, 290, 205, t::modemPortInstruction2, "BLACK");
    label(dc, 285, 235, t::modemPortLabel);
    inputField(dc, layout::modemPortInput, shared.modemPortText);
}
