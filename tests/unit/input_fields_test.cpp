#include <string>

#include "display/input_fields.h"
#include "tests/unit/fresh_state.h"

namespace {

class InputFields : public FreshState {
protected:
    std::string type(const std::string& keys, char* text, int& length)
    {
        for (unsigned char key : keys)
            editFieldText(1, 470, 155, 50, 15, key, text, length);
        return text;
    }
};

TEST_F(InputFields, FirstKeyReplacesTheInitialText)
{
    char text[8] = "23";
    int length = 0;
    EXPECT_EQ(type("5", text, length), "5");
    EXPECT_EQ(type("0", text, length), "50");
}

TEST_F(InputFields, BackspaceCutsButNotBeforeAnythingWasTyped)
{
    char text[8] = "AUTO";
    int length = 0;
    EXPECT_EQ(type("\b", text, length), "AUTO");
    EXPECT_EQ(type("12\b3", text, length), "13");
}

TEST_F(InputFields, EighthCharacterIsDroppedAndTheBufferStaysTerminated)
{
    char text[8] = "23";
    int length = 0;
    EXPECT_EQ(type("COM12345", text, length), "COM1234");
    EXPECT_EQ(length, 7);
    EXPECT_EQ(text[7], '\0');
}

TEST_F(InputFields, AcceptsCodes48To122AndStillRepaintsOnRejected)
{
    char text[8] = "23";
    int length = 0;
    EXPECT_EQ(type(":@az", text, length), ":@az");
    fakeHost.invalidations.clear();
    EXPECT_EQ(type(std::string("\xE4 {/\r", 5), text, length), ":@az");
    ASSERT_EQ(fakeHost.invalidations.size(), 5u);
    const auto& r = fakeHost.invalidations.back();
    EXPECT_EQ(r.left, 470);
    EXPECT_EQ(r.top, 155);
    EXPECT_EQ(r.right, 521) << "the whole drawn box, border included";
    EXPECT_EQ(r.bottom, 175) << "descenders included";
    EXPECT_FALSE(r.erase);
}

TEST_F(InputFields, HitTestIsStrictOnAllFourBorders)
{
    const std::pair<host::Point, int> cases[] = {
        {{470, 160}, 0}, {{471, 155}, 0}, {{471, 156}, 4}, {{519, 169}, 4},
        {{520, 160}, 0}, {{500, 170}, 0}, {{10, 10}, 0},
    };
    for (const auto& [cursor, expected] : cases) {
        fakeHost.cursor = cursor;
        EXPECT_EQ(hitTestField(1, 470, 155, 50, 15, 4), expected) << cursor.x << "," << cursor.y;
    }
}

TEST_F(InputFields, InvalidateFieldRespectsEnabled)
{
    invalidateField(1, nullptr, 140, 30, 100, 15, 0);
    EXPECT_TRUE(fakeHost.invalidations.empty());
    invalidateField(1, nullptr, 140, 30, 100, 15, 1);
    ASSERT_EQ(fakeHost.invalidations.size(), 1u);
    EXPECT_EQ(fakeHost.invalidations[0].right, 240);
    EXPECT_EQ(fakeHost.invalidations[0].bottom, 45);
}

}  // namespace
