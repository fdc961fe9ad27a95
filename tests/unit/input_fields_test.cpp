// The two input fields: hit testing, typing, and the shell's routing of
// clicks and characters to them.

#include <gmock/gmock.h>

#include <string>

#include "app/window_events.h"
#include "display/input_fields.h"
#include "display/layout.h"
#include "tests/unit/persistence_fixture.h"

namespace {

constexpr FieldRect cost = layout::highRateCostInput;
constexpr FieldRect port = layout::modemPortInput;

// A point at (dx, dy) from the field's top left corner.
host::Point at(const FieldRect& f, int dx, int dy)
{
    return {f.x + dx, f.y + dy};
}

// Clicks there and returns the field then selected.
int clickAt(host::Point point)
{
    fakeHost.cursor = point;
    selectFieldAtCursor();
    return shell.selectedField;
}

std::string type(const std::string& keys, char* text, int& length)
{
    for (unsigned char key : keys)
        editFieldText(1, cost.x, cost.y, cost.width, cost.height, key, text, length);
    return text;
}

using InputFields = FreshState;

TEST_F(InputFields, FirstKeyReplacesTheTextAndBackspaceCutsOnlyWhatWasTyped)
{
    char text[8] = "AUTO";
    int length = 0;
    EXPECT_EQ(type("\b", text, length), "AUTO");
    EXPECT_EQ(type("5", text, length), "5");
    EXPECT_EQ(type("12\b3", text, length), "513");
    // An eighth character is dropped and the buffer stays terminated.
    EXPECT_EQ(type("COM12345", text, length), "513COM1");
    EXPECT_EQ(length, 7);
}

TEST_F(InputFields, AcceptsCodes48To122AndStillRepaintsTheWholeBoxOnRejected)
{
    char text[8] = "23";
    int length = 0;
    EXPECT_EQ(type("0:@az", text, length), "0:@az");
    fakeHost.invalidations.clear();
    EXPECT_EQ(type(std::string("\xE4 {/\r", 5), text, length), "0:@az");
    // Each key the whole box, the border's right column and the descenders
    // below the text included.
    const auto whole =
        testing::FieldsAre(cost.x, cost.y, cost.x + cost.width + 1, cost.y + cost.height + 5);
    EXPECT_THAT(fakeHost.invalidations, testing::ElementsAre(whole, whole, whole, whole, whole));

    const FieldRect& box = layout::todayBox;
    invalidateField(1, box);
    EXPECT_THAT(fakeHost.invalidations.back(),
                testing::FieldsAre(box.x, box.y, box.x + box.width, box.y + box.height));
}

TEST_F(InputFields, HitTestIsStrictOnAllFourBorders)
{
    // From the field's top left corner, and the field hit.
    const int cases[][3] = {{0, 5, 0}, {1, 0, 0}, {1, 1, 4}, {49, 14, 4}, {50, 5, 0}, {30, 15, 0}};
    for (const auto& [dx, dy, expected] : cases) {
        fakeHost.cursor = at(cost, dx, dy);
        EXPECT_EQ(hitTestField(1, cost.x, cost.y, cost.width, cost.height, 4), expected)
            << dx << "," << dy;
    }
}

TEST_F(InputFields, ClicksSelectOnlyInEditModeAndCharactersGoToTheSelectedField)
{
    EXPECT_EQ(clickAt(at(cost, 10, 5)), 0);
    typeIntoSelectedField('9');
    EXPECT_STREQ(shared.highRateCostText, "23");

    shared.editMode = 1;
    EXPECT_EQ(clickAt(at(cost, 10, 5)), 4);
    typeIntoSelectedField('1');
    typeIntoSelectedField('5');
    EXPECT_EQ(clickAt(at(port, 10, 5)), 5);
    typeIntoSelectedField('C');
    EXPECT_STREQ(shared.highRateCostText, "15");
    EXPECT_STREQ(shared.modemPortText, "C");

    // Edit mode off ("OK") keeps the selection and the typing.
    shared.editMode = 0;
    typeIntoSelectedField('2');
    EXPECT_STREQ(shared.modemPortText, "C2");
    shared.editMode = 1;
    EXPECT_EQ(clickAt(at(port, 0, 5)), 0);
}

}  // namespace
