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

    // Each label stands on its box's row.
    const auto labelOf = [dc](const FieldRect& box, const char* text) {
        label(dc, {layout::rightLabelX, box.y}, text);
    };
    paint_forms::plainText(dc, layout::settingsInstruction, t::settingsInstruction);
    labelOf(layout::lowRateFromBox, t::lowRateFromLabel);
    valueBox(dc, layout::lowRateFromBox, fixedCost);
    labelOf(layout::lowRateCostBox, t::lowRateCostLabel);
    valueBox(dc, layout::lowRateCostBox, fixedCost);
    labelOf(layout::highRateFromBox, t::highRateFromLabel);
    valueBox(dc, layout::highRateFromBox, fixedCost);
    labelOf(layout::highRateCostInput, t::highRateCostLabel);
    // The two input fields: exactly the rectangles that clicks and typing use.
    inputField(dc, layout::highRateCostInput, shared.highRateCostText);
    paint_forms::plainText(dc, layout::modemPortInstruction1, t::modemPortInstruction1);
    paint_forms::plainText(dc, layout::modemPortInstruction2, t::modemPortInstruction2);
    labelOf(layout::modemPortInput, t::modemPortLabel);
    inputField(dc, layout::modemPortInput, shared.modemPortText);
}
