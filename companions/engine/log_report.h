#pragma once
// The statistics as plain text, for the command-line report.

#include <cstddef>
#include <string>

#include "companions/engine/log_statistics.h"

namespace uvlog {

// The totals, the `topTitles` largest titles (0: all) and the days; "\n" line
// ends, Windows-1252.
std::string statisticsReport(const LogStatistics& stats, std::size_t topTitles);

}  // namespace uvlog
