#include <string>

#include "display/display_texts.h"
#include "display/paint_state.h"
#include "display/value_texts.h"
#include "tests/unit/fresh_state.h"

namespace {

class ValueTexts : public FreshState {
protected:
    std::string time(const char* h, const char* m, const char* s)
    {
        formatTimeText(out, sizeof out, h, m, s);
        return out;
    }
    std::string date(const char* y, const char* m, const char* d)
    {
        formatDateText(out, sizeof out, y, m, d);
        return out;
    }
    char out[runTextSize] = "";
};

TEST_F(ValueTexts, TimePadsMinutesAndSecondsButNeverHours)
{
    EXPECT_EQ(time("8", "5", "9"), "8:05:09");
    EXPECT_EQ(time("123", "4", "56"), "123:04:56");
    EXPECT_EQ(time("14", "30", "0"), "14:30:00");
    EXPECT_EQ(time("1234", "5", "0"), "1234:05:00");
    EXPECT_EQ(time("0", "0", "0"), "0:00:00");
}

TEST_F(ValueTexts, TimeWithAllCountsZeroIsZero)
{
    // Before the first counters update the total parts are empty.
    EXPECT_EQ(time("", "", ""), "0:00:00");
    formatTimeText(out, sizeof out, "7", 0, "", 0, "", 0);
    EXPECT_EQ(std::string(out), "0:00:00");
}

TEST_F(ValueTexts, LongestHourCountFits)
{
    EXPECT_EQ(time("12345678901234567890", "59", "1"), "12345678901234567890:59:01");
}

TEST_F(ValueTexts, DatePadsMonthAndDay)
{
    EXPECT_EQ(date("2001", "5", "9"), "2001-05-09");
    EXPECT_EQ(date("2001", "5", "10"), "2001-05-10");
    EXPECT_EQ(date("2024", "12", "31"), "2024-12-31");
}

TEST_F(ValueTexts, RunTextIsZeroUntilTheFirstCountersUpdate)
{
    EXPECT_STREQ(shownRunText(), "0:00:00");
    EXPECT_STREQ(clockState.runText, "0:00:00");
    EXPECT_EQ(clockState.runTextLen, 0);

    std::snprintf(clockState.runText, sizeof clockState.runText, "1:02:03");
    clockState.runTextLen = 7;
    EXPECT_STREQ(shownRunText(), "1:02:03");
}

TEST_F(ValueTexts, TimeNowIsCopiedForPainting)
{
    std::snprintf(clockState.nowHourText, partTextSize, "23");
    std::snprintf(clockState.nowMinuteText, partTextSize, "7");
    std::snprintf(clockState.nowSecondText, partTextSize, "59");
    copyTimeNow();
    EXPECT_STREQ(clockState.clockHourText, "23");
    EXPECT_STREQ(clockState.clockMinuteText, "7");
    EXPECT_STREQ(clockState.clockSecondText, "59");
}

TEST_F(ValueTexts, PortAndModemStateTexts)
{
    EXPECT_STREQ(paintState.modemStateText, "OFF");
    formatPortText(0);
    EXPECT_STREQ(paintState.comText, "COM = 0");
    formatPortText(7);
    EXPECT_STREQ(paintState.comText, "COM = 7");

    chooseModemStateTexts(1);
    EXPECT_STREQ(paintState.modemStateText, "ON");
    EXPECT_STREQ(paintState.modemStateFill, "RED1");
    EXPECT_STREQ(paintState.modemStateInk, "WHITE");
    chooseModemStateTexts(0);
    EXPECT_STREQ(paintState.modemStateText, "OFF");
    EXPECT_STREQ(paintState.modemStateFill, "WHITE");
    EXPECT_STREQ(paintState.modemStateInk, "BLACK");
}

TEST_F(ValueTexts, InternetTitleHoldsTheLongestRunText)
{
    formatInternetTitle("0:12:34");
    EXPECT_STREQ(clockState.titleText, "Internet nu 0:12:34");
    const std::string longest = "12345678901234567890:59:59";
    formatInternetTitle(longest.c_str());
    EXPECT_EQ(std::string(clockState.titleText), "Internet nu " + longest);
}

}  // namespace
