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

// Digits in groups of three with a blank between, as Swedish writes them.
std::string groupedNumber(std::uint64_t value);

// A share in per cent with one decimal and a decimal comma ("12,5 %").
std::string shareText(std::uint64_t part, std::uint64_t whole);

// The time-per-title table as CSV for a Swedish spreadsheet: ";" between
// fields, CR LF line ends, Windows-1252.
std::string titleTableCsv(const LogStatistics& stats);

// One CSV field, quoted when it holds a separator, a quote or a line end.
// A title that a spreadsheet would take for a formula gets a leading "'".
std::string csvField(std::string_view text);

// The text with every Windows-1252 letter in its lower-case form.
std::string foldCase(std::string_view text);

// True when `foldedNeedle` (already folded) occurs in `text`, ignoring case.
bool containsFolded(std::string_view text, std::string_view foldedNeedle);

}  // namespace uvlog
