#pragma once
// Calendar arithmetic on proleptic Gregorian dates, for splitting runs into
// days without the platform's time zone functions.

#include <cstdint>

#include "companions/engine/log_parser.h"

namespace uvlog {

bool isValidDate(const CalendarDate& date);

// Days since 1970-01-01 (negative before it).
std::int64_t daysFromCivil(const CalendarDate& date);

CalendarDate civilFromDays(std::int64_t days);

}  // namespace uvlog
