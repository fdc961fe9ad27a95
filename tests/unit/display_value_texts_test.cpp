#include <string>

#include "display/refreshed_boxes.h"
#include "display/value_texts.h"
#include "tests/unit/persistence_fixture.h"

namespace {

std::string timeText(const char* h, const char* m, const char* s)
{
    char out[runTextSize] = "";
    formatTimeText(out, sizeof out, h, m, s);
    return out;
}

using ValueTexts = FreshState;

TEST_F(ValueTexts, TimesPadMinutesAndSecondsDatesPadMonthAndDay)
{
    EXPECT_EQ(timeText("8", "5", "9"), "8:05:09");
    EXPECT_EQ(timeText("1234", "30", "0"), "1234:30:00");
    EXPECT_EQ(timeText("12345678901234567890", "59", "1"), "12345678901234567890:59:01");
    // Before the first counters update the total parts are empty.
    EXPECT_EQ(timeText("", "", ""), "0:00:00");
    char out[runTextSize] = "";
    formatTimeText(out, sizeof out, "7", 0, "", 0, "", 0);
    EXPECT_STREQ(out, "0:00:00");
    formatDateText(out, sizeof out, "2001", "5", "9");
    EXPECT_STREQ(out, "2001-05-09");
    formatDateText(out, sizeof out, "2024", "12", "31");
    EXPECT_STREQ(out, "2024-12-31");
}

// What the paint draws and the refresh compares: the right group's times
// only on line, the run as zero before the first counters update.
TEST_F(ValueTexts, RefreshedBoxesFollowTheLine)
{
    shared.probedPort = 7;
    const auto described = [](int online) {
        shared.modemOnline = online;
        RefreshedBoxes boxes;
        describeRefreshedBoxes(boxes);
        std::string all;
        for (const RefreshedBox& b :
             {boxes.box[3], boxes.box[5], boxes.box[6], boxes.box[9], boxes.box[13]})
            all += std::string(b.fill) + " " + b.ink + " '" + b.text + "'; ";
        return all;
    };
    EXPECT_EQ(described(0),
              "WHITE RED0 '0:00:00'; WHITE BLACK 'OFF'; WHITE BLACK 'COM = 7'; "
              "WHITE BLACK ''; WHITE RED1 ''; ");
    EXPECT_EQ(described(1),
              "WHITE RED0 '0:00:00'; RED1 WHITE 'ON'; WHITE BLACK 'COM = 7'; "
              "WHITE BLACK '0:00:00'; WHITE RED1 '0:00:00'; ");
}

}  // namespace
