#pragma once
// Generates time logs in the layout the program writes, for the tests, the
// benchmark, the fuzzer's seeds and the screenshots.

#include <cstdint>
#include <string>
#include <vector>

#include "companions/engine/log_parser.h"

namespace uvlog {

struct SampleLogPlan {
    CalendarDate lastDay = {2024, 3, 7};  // the day of the last run
    int runs = 100;                       // one run a day, ending on lastDay
    int recordsPerRun = 250;              // the "WINDOWS" record included
    std::uint64_t firstStartup = 1;       // start-up number of the first run
    std::uint64_t totalSecondsBefore = 0;
    std::uint32_t seed = 1;
};

// The log as the program writes it on disk (CR LF line ends).
std::string makeSampleLog(const SampleLogPlan& plan);

// One record line as the program writes it, without the line end.
std::string sampleRecordLine(std::uint64_t number, std::uint64_t runSeconds,
                             std::uint64_t totalSeconds, std::uint32_t clockSeconds,
                             std::uint64_t periodSeconds, bool online, const std::string& title);

// The two header lines, each with its CR LF.
std::string sampleHeaderLines(const CalendarDate& date, std::uint32_t startSecondOfDay,
                              std::uint64_t startupNumber);

// A record of a run. Its clock time is its run's start plus its run time
// unless given apart, as on the days the clocks change.
struct SampleRecord {
    std::uint64_t runSeconds;
    std::uint64_t period;
    std::string title;
    bool online = false;
    std::int64_t clock = -1;
};

// A run as the program writes it: its header lines, then its records
// numbered from 1, each total `totalBefore` plus the record's run time.
std::string sampleRun(const CalendarDate& date, std::uint32_t startSecondOfDay,
                      std::uint64_t startupNumber, const std::vector<SampleRecord>& records,
                      std::uint64_t totalBefore = 1000);

}  // namespace uvlog
