#pragma once
// Texts made from log values: times, dates, numbers, shares, CSV, and the
// case-blind matching of the reader's filter. Windows-1252 throughout.

#include <cstdint>
#include <string>
#include <string_view>

#include "companions/engine/log_statistics.h"

namespace uvlog {

// H:MM:SS, the hours never padded nor folded into days.
std::string durationText(std::uint64_t seconds);

// HH:MM:SS of a second of the day.
std::string clockText(std::uint32_t secondOfDay);

// YYYY-MM-DD.
std::string dateText(const CalendarDate& date);

// An hour of the day as "08-09", from its first hour to the next.
std::string hourText(int hour);

// Digits in groups of three with a blank between, as Swedish writes them.
std::string groupedNumber(std::uint64_t value);

// A share in per cent, rounded to tenths, with a decimal comma ("12,5"); 0
// when there is no whole.
std::string shareNumberText(std::uint64_t part, std::uint64_t whole);

// The same with its sign ("12,5 %").
std::string shareText(std::uint64_t part, std::uint64_t whole);

// "YYYY-MM-DD HH:MM:SS" of a moment.
std::string momentText(std::int64_t moment);

// "1 uppstart", "2 uppstarter": the count in groups of three and the word in
// its number.
std::string countText(std::uint64_t count, const char* singular, const char* plural);

// A title or application as the views show it: "?" explained.
std::string shownName(std::string_view name);

// A table as CSV for a Swedish spreadsheet (see StatisticsTable::csv):
// ";" between fields, CR LF line ends, Windows-1252. The first three fields
// of a row are its name, its time as H:MM:SS and the same time in seconds.
std::string tableCsv(const LogStatistics& stats, Grouping grouping);

// The series of the 30-day chart as CSV, in the same form.
std::string dayChartCsv(const LogStatistics& stats);

// A run row's start-up number, start and last record as the tables show them:
// empty where a damaged header did not give them.
std::string runNumberText(const RunRow& run);
std::string runStartText(const RunRow& run);
std::string runLastRecordText(const RunRow& run);

// One CSV field, quoted when it holds a separator, a quote or a line end.
// A title that a spreadsheet would take for a formula gets a leading "'".
std::string csvField(std::string_view text);

// Windows-1252 text as UTF-8 (the five unassigned bytes become U+FFFD).
std::string utf8FromWindows1252(std::string_view text);

// The lower-case form of one Windows-1252 byte.
char foldedByte(char c);

// The text with every Windows-1252 letter in its lower-case form.
std::string foldCase(std::string_view text);

// True when `foldedNeedle` (already folded) occurs in `text`, ignoring case.
bool containsFolded(std::string_view text, std::string_view foldedNeedle);

}  // namespace uvlog
