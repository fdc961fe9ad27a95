#include "companions/engine/calendar.h"

namespace uvlog {

bool operator==(const CalendarDate& a, const CalendarDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool operator<(const CalendarDate& a, const CalendarDate& b)
{
    if (a.year != b.year)
        return a.year < b.year;
    if (a.month != b.month)
        return a.month < b.month;
    return a.day < b.day;
}

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool isValidDate(const CalendarDate& date)
{
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

// The era-based algorithm of H. Hinnant's "chrono-compatible low-level date
// algorithms": exact for every date, no tables, no loops.
std::int64_t daysFromCivil(const CalendarDate& date)
{
    const std::int64_t y = date.month <= 2 ? date.year - 1 : date.year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace uvlog

namespace uvlog {

std::int64_t momentOf(const CalendarDate& date, std::uint32_t secondOfDay)
{
    return daysFromCivil(date) * secondsPerDay + secondOfDay;
}

std::int64_t dayOfMoment(std::int64_t moment)
{
    return moment >= 0 ? moment / secondsPerDay : -((-moment + secondsPerDay - 1) / secondsPerDay);
}

std::uint32_t secondOfDay(std::int64_t moment)
{
    return static_cast<std::uint32_t>(moment - dayOfMoment(moment) * secondsPerDay);
}

bool DateRange::bounded() const
{
    const DateRange all;
    return firstDay != all.firstDay || lastDay != all.lastDay;
}

DateRange presetRange(RangePreset preset, const CalendarDate& today)
{
    const std::int64_t day = daysFromCivil(today);
    switch (preset) {
        case RangePreset::today:
            return {day, day};
        case RangePreset::thisWeek: {
            // 1970-01-01 was a Thursday: Monday is 0 in (day + 3) mod 7.
            const std::int64_t sinceMonday = ((day + 3) % 7 + 7) % 7;
            return {day - sinceMonday, day};
        }
        case RangePreset::thisMonth:
            return {daysFromCivil({today.year, today.month, 1}), day};
        case RangePreset::all:
            break;
    }
    return {};
}

bool parseDateText(const char* text, CalendarDate* date)
{
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < widths[part]; ++i, ++text) {
            if (*text < '0' || *text > '9')
                return false;
            parts[part] = parts[part] * 10 + (*text - '0');
        }
        if (*text != (part < 2 ? '-' : '\0'))
            return false;
        ++text;
    }
    *date = {parts[0], parts[1], parts[2]};
    return isValidDate(*date);
}

}  // namespace uvlog
