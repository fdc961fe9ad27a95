#include <string>

#include "display/paint_state.h"
#include "display/value_texts.h"
#include "tests/unit/persistence_fixture.h"

namespace {

class ValueTexts : public FreshState {
protected:
    std::string time(const char* h, const char* m, const char* s)
    {
        formatTimeText(out, sizeof out, h, m, s);
        return out;
    }
    char out[runTextSize] = "";
};

TEST_F(ValueTexts, TimesPadMinutesAndSecondsDatesPadMonthAndDay)
{
    EXPECT_EQ(time("8", "5", "9"), "8:05:09");
    EXPECT_EQ(time("1234", "30", "0"), "1234:30:00");
    EXPECT_EQ(time("12345678901234567890", "59", "1"), "12345678901234567890:59:01");
    // Before the first counters update the total parts are empty.
    EXPECT_EQ(time("", "", ""), "0:00:00");
    formatTimeText(out, sizeof out, "7", 0, "", 0, "", 0);
    EXPECT_STREQ(out, "0:00:00");
    formatDateText(out, sizeof out, "2001", "5", "9");
    EXPECT_STREQ(out, "2001-05-09");
    formatDateText(out, sizeof out, "2024", "12", "31");
    EXPECT_STREQ(out, "2024-12-31");
}

TEST_F(ValueTexts, RunTextIsZeroUntilTheFirstCountersUpdate)
{
    EXPECT_STREQ(shownRunText(), "0:00:00");
    EXPECT_EQ(clockState.runTextLen, 0);
    std::snprintf(clockState.runText, sizeof clockState.runText, "1:02:03");
    clockState.runTextLen = 7;
    EXPECT_STREQ(shownRunText(), "1:02:03");
}

TEST_F(ValueTexts, TimeNowIsCopiedForPainting)
{
    fakeHost.calendar = {124, 2, 7, 23, 7, 59};
    captureDateTime();
    copyTimeNow();
    EXPECT_EQ(std::string(clockState.clockHourText) + ":" + clockState.clockMinuteText + ":" +
                  clockState.clockSecondText,
              "23:7:59");
}

TEST_F(ValueTexts, PortModemAndTitleTexts)
{
    formatPortText(7);
    EXPECT_STREQ(paintState.comText, "COM = 7");
    const auto modem = [] {
        return std::string(paintState.modemStateText) + " " + paintState.modemStateFill + " " +
               paintState.modemStateInk;
    };
    chooseModemStateTexts(1);
    EXPECT_EQ(modem(), "ON RED1 WHITE");
    chooseModemStateTexts(0);
    EXPECT_EQ(modem(), "OFF WHITE BLACK");

    const std::string longest = "12345678901234567890:59:59";
    formatInternetTitle(longest.c_str());
    EXPECT_EQ(std::string(clockState.titleText), "Internet nu " + longest);
}

}  // namespace
