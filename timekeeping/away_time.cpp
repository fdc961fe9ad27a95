#include "timekeeping/away_time.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/data_file_format.h"
#include "host/host.h"
#include "timekeeping/clock.h"
#include "timekeeping/persistence_texts.h"

namespace format = data_file_format;

namespace {

constexpr std::uint64_t msPerMinute = 60'000;
constexpr std::int64_t secondsPerDay = 86'400;

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and
// back: the whole-day arithmetic that dates a period's start from its length.
std::int64_t daysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

void civilFromDays(std::int64_t days, std::int64_t& year, int& month, int& day)
{
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// The local date and time `secondsAgo` before `now`, as the file writes it.
std::string dateTimeBefore(const host::CalendarTime& now, std::int64_t secondsAgo)
{
    const std::int64_t days = daysFromCivil(now.yearsSince1900 + 1900LL, now.month0 + 1, now.day);
    std::int64_t moment =
        days * secondsPerDay + now.hour * 3600LL + now.minute * 60LL + now.second - secondsAgo;
    std::int64_t inDay = moment % secondsPerDay;
    if (inDay < 0)
        inDay += secondsPerDay;
    std::int64_t year = 0;
    int month = 1, day = 1;
    civilFromDays((moment - inDay) / secondsPerDay, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, format::awayDateTimeFormat, static_cast<int>(year), month, day,
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
                  static_cast<int>(inDay % 60));
    return text;
}

const char* causeWord(AwayCause cause)
{
    switch (cause) {
        case AwayCause::idle:
            return format::awayIdleCause;
        case AwayCause::locked:
            return format::awayLockedCause;
        default:
            return format::awayAsleepCause;
    }
}

// Appends every unwritten line in one write, forced onto the disk. A failed
// append is cut back off, so the retry does not continue a half line; the
// lines wait for the next period. The box comes last: its message loop runs
// ticks, which may end a period and write again.
void writeUnwritten()
{
    std::FILE* file = std::fopen(format::awayFileName, "a");
    bool written = false;
    if (file != nullptr) {
        std::uint64_t sizeBefore = 0;
        const bool sized = host::findFileSize(format::awayFileName, &sizeBefore);
        written = std::fputs(away.unwritten.c_str(), file) >= 0;
        written = std::fflush(file) == 0 && !std::ferror(file) && written;
        written = written && host::flushFileToDisk(file);
        std::fclose(file);
        if (!written && sized)
            host::truncateFile(format::awayFileName, sizeBefore);
    }
    if (written) {
        away.unwritten.clear();
        clearFailure(away.writeFailure);
        return;
    }
    announceFailure(away.writeFailure, persistence_texts::awayNotWrittenMessage,
                    persistence_texts::errorCaption, host::MessageIcon::error);
}

// The local date and time at `tick`, in whole seconds, rounded.
std::string dateTimeAt(std::uint64_t tick)
{
    const std::uint64_t now = host::tickCount();
    const auto secondsAgo = static_cast<std::int64_t>(now > tick ? (now - tick + 500) / 1000 : 0);
    return dateTimeBefore(host::localCalendarTime(), secondsAgo);
}

// The period under way ends at `at` and `next` begins there. A moment is
// dated once, when it comes, so that back-to-back periods share it to the
// second and a long period's start does not move with the clock's changes.
void changeCause(AwayCause next, std::uint64_t at)
{
    if (next == away.cause)
        return;
    const AwayCause ended = away.cause;
    const std::string atText = dateTimeAt(at);
    const std::string line = away.beganText + format::awayFieldGap + atText + format::awayFieldGap +
                             causeWord(ended) + "\n";
    away.cause = next;
    away.beganTick = at;
    away.beganText = atText;
    if (ended == AwayCause::none)
        return;
    away.earliestTick = at;
    away.unwritten += line;
    writeUnwritten();
}

// What rules once the machine is awake, with no input watched.
AwayCause awakeCause()
{
    return away.locked ? AwayCause::locked : AwayCause::none;
}

}  // namespace

int awayLimitMinutes(const char* text)
{
    const std::size_t length = std::strlen(text);
    const std::size_t first = std::strspn(text, " \t");
    std::size_t digits = std::strspn(text + first, "0123456789");
    const std::size_t rest = first + digits + std::strspn(text + first + digits, " \t");
    // Five digits hold every valid value and cannot overflow.
    if (digits == 0 || digits > 5 || rest != length)
        return format::defaultAwayLimitMinutes;
    const int minutes = std::atoi(text + first);
    return minutes <= format::largestAwayLimitMinutes ? minutes : format::defaultAwayLimitMinutes;
}

void startAwayWatch()
{
    char text[32];
    away.limitMinutes = host::readSetting(format::settingsFileName, format::awaySection,
                                          format::awayLimitKey, text, sizeof text)
                            ? awayLimitMinutes(text)
                            : format::defaultAwayLimitMinutes;
    away.watching = true;
    away.earliestTick = clockState.startTick;
}

void watchInput()
{
    if (away.limitMinutes == 0 || !away.watching || away.cause == AwayCause::locked ||
        away.cause == AwayCause::asleep)
        return;
    const std::uint64_t lastInput = host::lastInputTick();
    if (away.cause == AwayCause::idle) {
        if (lastInput > away.idleInputTick)
            changeCause(AwayCause::none, lastInput > away.beganTick ? lastInput : away.beganTick);
        return;
    }
    const std::uint64_t now = host::tickCount();
    if (now - lastInput < away.limitMinutes * msPerMinute || lastInput > now)
        return;
    changeCause(AwayCause::idle, lastInput > away.earliestTick ? lastInput : away.earliestTick);
    away.idleInputTick = lastInput;
}

void noteLocked(bool locked)
{
    away.locked = locked;
    if (away.limitMinutes == 0 || !away.watching || away.asleep)
        return;
    changeCause(awakeCause(), host::tickCount());
}

void noteAsleep()
{
    if (away.limitMinutes == 0 || !away.watching)
        return;
    away.asleep = true;
    changeCause(AwayCause::asleep, host::tickCount());
}

void noteAwake(bool slept)
{
    if (away.limitMinutes == 0)
        return;
    away.watching = true;
    if (away.asleep && !slept)
        away.cause = AwayCause::none;  // dropped unwritten: there was no sleep
    away.asleep = false;
    changeCause(awakeCause(), host::tickCount());
}

void stopAwayWatch()
{
    if (away.limitMinutes == 0 || !away.watching)
        return;
    changeCause(AwayCause::none, host::tickCount());
    away.watching = false;
    away.asleep = false;
}
