#pragma once
// Calendar arithmetic on proleptic Gregorian dates, for splitting runs into
// days without the platform's time zone functions. A moment is a count of
// seconds since 1970-01-01 00:00 on the log's own (local) clock.

#include <cstdint>
#include <limits>

namespace uvlog {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

bool operator==(const CalendarDate& a, const CalendarDate& b);
bool operator<(const CalendarDate& a, const CalendarDate& b);

constexpr std::int64_t secondsPerDay = 86400;

bool isValidDate(const CalendarDate& date);

// Days since 1970-01-01 (negative before it).
std::int64_t daysFromCivil(const CalendarDate& date);

CalendarDate civilFromDays(std::int64_t days);

std::int64_t momentOf(const CalendarDate& date, std::uint32_t secondOfDay);

// The day number of a moment, rounding down before 1970 too.
std::int64_t dayOfMoment(std::int64_t moment);

std::uint32_t secondOfDay(std::int64_t moment);

// Days from firstDay to lastDay, both included; unbounded by default.
struct DateRange {
    std::int64_t firstDay = std::numeric_limits<std::int64_t>::min();
    std::int64_t lastDay = std::numeric_limits<std::int64_t>::max();

    bool bounded() const;
    bool contains(std::int64_t day) const { return day >= firstDay && day <= lastDay; }
};

enum class RangePreset { all, today, thisWeek, thisMonth };

// The range a preset names on `today`; a week begins on Monday.
DateRange presetRange(RangePreset preset, const CalendarDate& today);

// "YYYY-MM-DD" as a real date; false for anything else.
bool parseDateText(const char* text, CalendarDate* date);

}  // namespace uvlog
