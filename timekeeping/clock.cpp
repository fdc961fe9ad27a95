#include "timekeeping/clock.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "timekeeping/time_text.h"

namespace {

constexpr std::uint64_t msPerSecond = 1000;
constexpr std::uint64_t msPerMinute = 60 * msPerSecond;
constexpr std::uint64_t msPerHour = 60 * msPerMinute;

template <std::size_t N>
void writeNumber(char (&text)[N], long long value)
{
    std::snprintf(text, N, "%lld", value);
}

template <std::size_t N>
int writeUnsigned(char (&text)[N], std::uint64_t value)
{
    return std::snprintf(text, N, "%" PRIu64, value);
}

template <std::size_t N>
void copyText(char (&to)[N], const char (&from)[N])
{
    std::memcpy(to, from, N);
}

}  // namespace

void captureDateTime()
{
    const host::CalendarTime now = host::localCalendarTime();
    ClockState& c = clockState;

    // A clock that reads a year before 1995 is taken to be in this century:
    // two-digit years from such clocks roll over to 20xx.
    const long long year =
        now.yearsSince1900 < 95 ? now.yearsSince1900 + 2000LL : now.yearsSince1900 + 1900LL;
    writeNumber(c.nowYearText, year);
    writeNumber(c.nowMonthText, now.month0 + 1);
    writeNumber(c.nowDayText, now.day);
    writeNumber(c.nowHourText, now.hour);
    writeNumber(c.nowMinuteText, now.minute);
    writeNumber(c.nowSecondText, now.second);

    if (c.startCaptured == 1)
        return;
    copyText(c.startYearText, c.nowYearText);
    copyText(c.startMonthText, c.nowMonthText);
    copyText(c.startDayText, c.nowDayText);
    copyText(c.startHourText, c.nowHourText);
    copyText(c.startMinuteText, c.nowMinuteText);
    copyText(c.startSecondText, c.nowSecondText);
    c.startTick = host::tickCount();
    c.startCaptured = 1;
}

void updateCounters()
{
    ClockState& c = clockState;
    // One reading for the whole update, so every part agrees.
    const std::uint64_t elapsed = host::tickCount() - c.startTick;

    const std::uint64_t runSeconds = elapsed / msPerSecond - 60 * (elapsed / msPerMinute);
    const std::uint64_t runMinutes = elapsed / msPerMinute - 60 * (elapsed / msPerHour);
    const std::uint64_t runHours = elapsed / msPerHour;
    writeUnsigned(c.runSecondsText, runSeconds);
    writeUnsigned(c.runMinutesText, runMinutes);
    writeUnsigned(c.runHoursText, runHours);

    const std::string minutes = twoDigitForm(c.runMinutesText);
    const std::string seconds = twoDigitForm(c.runSecondsText);
    c.runTextLen = std::snprintf(c.runText, sizeof c.runText, "%s:%s:%s", c.runHoursText,
                                 minutes.c_str(), seconds.c_str());

    // Totals: only one 60 is taken off each part, so a hand-edited saved value
    // above 59 stays visible rather than being silently renormalised.
    long long totalSeconds = static_cast<long long>(runSeconds) + c.savedSeconds;
    if (totalSeconds > 59)
        totalSeconds -= 60;
    // Adding the saved seconds as milliseconds before dividing carries a
    // seconds overflow into the minutes.
    const long long elapsedWithSavedSeconds =
        static_cast<long long>(elapsed) + 1000LL * c.savedSeconds;
    long long totalMinutes = elapsedWithSavedSeconds / static_cast<long long>(msPerMinute) +
                             c.savedMinutes - 60LL * static_cast<long long>(elapsed / msPerHour);
    int hourCarry = 0;
    if (totalMinutes > 59) {
        totalMinutes -= 60;
        hourCarry = 1;
    }
    const long long totalHours = static_cast<long long>(runHours) + hourCarry + c.savedHours;

    writeNumber(c.totalSecondsText, totalSeconds);
    writeNumber(c.totalMinutesText, totalMinutes);
    writeNumber(c.totalHoursText, totalHours);
    c.totalSecondsLen = static_cast<int>(std::strlen(c.totalSecondsText));
    c.totalMinutesLen = static_cast<int>(std::strlen(c.totalMinutesText));
    c.totalHoursLen = static_cast<int>(std::strlen(c.totalHoursText));
}

void setSavedTotals(std::int32_t hours, std::int32_t minutes, std::int32_t seconds)
{
    clockState.savedHours = hours;
    clockState.savedMinutes = minutes;
    clockState.savedSeconds = seconds;
}

void leaveOutOfRun(std::uint64_t ms)
{
    clockState.startTick += ms;
}
