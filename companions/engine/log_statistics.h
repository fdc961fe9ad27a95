#pragma once
// Sums a parsed time log up: time per window title, time per day over the
// last days, and the totals of the runs.

#include <cstdint>
#include <string>
#include <vector>

#include "companions/engine/log_parser.h"

namespace uvlog {

constexpr int statisticsDayCount = 30;

struct TitleTime {
    std::string title;
    std::uint64_t seconds = 0;
    std::uint64_t periods = 0;
};

struct DayTime {
    CalendarDate date;
    std::uint64_t seconds = 0;
};

struct LogStatistics {
    // Largest first; equal times in byte order of the title.
    std::vector<TitleTime> titles;
    // The last statisticsDayCount days, oldest first, today last: the
    // program's running time on each day.
    std::vector<DayTime> days;

    std::uint64_t startupCount = 0;  // run headers read
    std::uint64_t recordCount = 0;
    std::uint64_t rawLineCount = 0;
    std::uint64_t longestRunSeconds = 0;
    std::uint64_t averageRunSeconds = 0;
    std::uint64_t runningSeconds = 0;  // all runs together
    std::uint64_t onlineSeconds = 0;   // periods of records marked on line
    std::uint64_t windowSeconds = 0;   // periods of all window records
    // Time from each start of the operating system to the program's first
    // record, summed over the runs: the "WINDOWS" records.
    std::uint64_t beforeStartSeconds = 0;
    // The total running time as the latest record states it.
    std::uint64_t latestTotalSeconds = 0;
};

// Sums the logs up in the order given (the history before the time log, so
// the latest record comes last). `today` ends the range of days.
LogStatistics summariseLogs(const std::vector<const ParsedLog*>& logs, CalendarDate today);

}  // namespace uvlog
