#include "display/value_texts.h"

#include <cstdio>
#include <cstring>

#include "display/display_texts.h"
#include "display/paint_state.h"
#include "timekeeping/clock.h"

namespace {

const char* leadingZero(int count)
{
    return count == 1 ? "0" : "";
}

int lengthOf(const char* text)
{
    return static_cast<int>(std::strlen(text));
}

template <std::size_t N>
void copyText(char (&to)[N], const char* from)
{
    std::snprintf(to, N, "%s", from);
}

}  // namespace

void formatTimeText(char* out, std::size_t outSize, const char* hours, int hoursLen,
                    const char* minutes, int minutesLen, const char* seconds, int secondsLen)
{
    if (hoursLen == 0 && minutesLen == 0 && secondsLen == 0) {
        std::snprintf(out, outSize, "%s", display_texts::zeroTime);
        return;
    }
    std::snprintf(out, outSize, "%s:%s%s:%s%s", hours, leadingZero(minutesLen), minutes,
                  leadingZero(secondsLen), seconds);
}

void formatTimeText(char* out, std::size_t outSize, const char* hours, const char* minutes,
                    const char* seconds)
{
    formatTimeText(out, outSize, hours, lengthOf(hours), minutes, lengthOf(minutes), seconds,
                   lengthOf(seconds));
}

void formatDateText(char* out, std::size_t outSize, const char* year, const char* month,
                    const char* day)
{
    std::snprintf(out, outSize, "%s-%s%s-%s%s", year, leadingZero(lengthOf(month)), month,
                  leadingZero(lengthOf(day)), day);
}

char* shownRunText()
{
    if (clockState.runTextLen == 0)
        copyText(clockState.runText, display_texts::zeroTime);
    return clockState.runText;
}

void copyTimeNow()
{
    ClockState& c = clockState;
    copyText(c.clockHourText, c.nowHourText);
    copyText(c.clockMinuteText, c.nowMinuteText);
    copyText(c.clockSecondText, c.nowSecondText);
}

void formatPortText(int probedPort)
{
    std::snprintf(paintState.comText, sizeof paintState.comText, display_texts::portFormat,
                  probedPort);
}

void chooseModemStateTexts(int modemOnline)
{
    PaintState& p = paintState;
    const bool on = modemOnline == 1;
    copyText(p.modemStateText, on ? display_texts::modemOn : display_texts::modemOff);
    copyText(p.modemStateFill, on ? "RED1" : "WHITE");
    copyText(p.modemStateInk, on ? "WHITE" : "BLACK");
}

void formatInternetTitle(const char* runText)
{
    std::snprintf(clockState.titleText, sizeof clockState.titleText,
                  display_texts::internetTitleFormat, runText);
}
