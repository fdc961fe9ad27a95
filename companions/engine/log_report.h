#pragma once
// The statistics as plain text, for the command-line report.

#include <string>

#include "companions/engine/log_statistics.h"

namespace uvlog {

// One table of `grouping`, or (everything) the totals, the titles and the
// days. "\n" line ends, Windows-1252.
std::string statisticsReport(const LogStatistics& stats, bool everything, Grouping grouping,
                             const std::string& rangeText);

// "allt", "2024-03-01 till 2024-03-07", "2024-03-01 till" or "till 2024-03-07".
std::string rangeText(const DateRange& range);

}  // namespace uvlog
