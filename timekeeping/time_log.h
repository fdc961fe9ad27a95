#pragma once
// ytime.dab, the time list of windows: one record each time the window lying
// directly above Uravik's changes; and yhist.dab, the history that receives
// the whole log at start-up once it has outgrown its size limit.

#include <cstddef>
#include <cstdint>

#include "host/host.h"
#include "timekeeping/failure_notice.h"

constexpr std::size_t windowTitleTextSize = 255;
constexpr int windowTitleReadSize = 100;  // at most 99 characters of a title

// Only time_log.cpp writes TimeLogState.
struct TimeLogState {
    int logHeaderWritten = 0;
    // The window above when the latest record was written: the tick tries a
    // record when another one comes.
    host::WindowHandle loggedWindowAbove = 0;
    std::uint64_t lastRecordTick = 0;  // 0 until the first record
    char currentTitle[windowTitleTextSize] = "";
    char previousTitle[windowTitleTextSize] = "";  // named by the next record
    FailureNotice writeFailure;
    // The latest try wrote nothing: when, and which window was above then.
    bool lastTryFailed = false;
    std::uint64_t failedTryTick = 0;
    host::WindowHandle failedTryWindow = 0;
    // The window that came above when a record was first tried and failed,
    // and its title then: the retry names the next period by it.
    bool changeKept = false;
    host::WindowHandle changedWindow = 0;
    char changedWindowTitle[windowTitleTextSize] = "";
    // While the log fails, the totals are saved now and then without it.
    bool failingTotalsSaved = false;
    std::uint64_t failingTotalsTick = 0;
};

// A log that cannot be written is tried again at most this often, or at
// once when another window comes above.
constexpr std::uint64_t logRetryIntervalMs = 1000;
// While it cannot be written, the totals are saved without it at the first
// failed try and then at most this often.
constexpr std::uint64_t failingTotalsIntervalMs = 60'000;

extern TimeLogState timeLog;

// On the run's first call appends the two header lines, on later calls the
// record of the window that lay above until now; then saves the state file.
// A try that cannot write leaves both files as they were.
void writeLogRecord();

// Leaves `ms` (a sleep) out of the period under way.
void leaveOutOfPeriod(std::uint64_t ms);

// Whether the tick should try a record now: always after a success; after a
// failed try once a second, or at once when the window above has changed.
bool logRecordDue();

// At start-up: moves the log into the history when it is larger than the
// size setting of the state file, calling `announceMove` first, since a
// large log takes a while.
void checkLogSize(void (*announceMove)());

// Whether a log of `size` bytes is over the size setting `limit`. An empty
// log is never over.
bool logIsOverLimit(std::int64_t limit, std::uint64_t size);
