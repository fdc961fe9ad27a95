#include "display/value_texts.h"

#include <cstdio>
#include <cstring>

#include "display/display_texts.h"
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

const char* shownRunText()
{
    return clockState.runTextLen == 0 ? display_texts::zeroTime : clockState.runText;
}
