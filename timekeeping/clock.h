#pragma once
// The calendar clock and the elapsed-time counters, all held as short decimal
// texts because every user of them (painting, the log, the state file and the
// window title) prints them. Only clock.cpp writes ClockState: the others
// read it, and hand it the saved totals and the time asleep through the
// functions below.

#include <cstddef>
#include <cstdint>

// Elapsed time comes from a 64-bit millisecond count, so an hour count can
// have up to 20 digits; the hour texts hold every value they can receive.
constexpr std::size_t hoursTextSize = 21;
constexpr std::size_t partTextSize = 3;  // 0 to 59, month, day
constexpr std::size_t yearTextSize = 5;
constexpr std::size_t runTextSize = hoursTextSize + 6;  // H:MM:SS

struct ClockState {
    // Current date and time, rewritten by every captureDateTime.
    char nowYearText[yearTextSize] = "";
    char nowMonthText[partTextSize] = "";
    char nowDayText[partTextSize] = "";
    char nowHourText[partTextSize] = "";
    char nowMinuteText[partTextSize] = "";
    char nowSecondText[partTextSize] = "";

    // Start-up date and time, frozen by the first capture.
    char startYearText[yearTextSize] = "";
    char startMonthText[partTextSize] = "";
    char startDayText[partTextSize] = "";
    char startHourText[partTextSize] = "";
    char startMinuteText[partTextSize] = "";
    char startSecondText[partTextSize] = "";

    std::uint64_t startTick = 0;
    int startCaptured = 0;

    // This run, rebuilt by every updateCounters.
    char runHoursText[hoursTextSize] = "";
    char runMinutesText[partTextSize] = "";
    char runSecondsText[partTextSize] = "";
    char runText[runTextSize] = "";
    int runTextLen = 0;

    // Totals carried from earlier runs, as the state file holds them.
    std::int32_t savedHours = 0;
    std::int32_t savedMinutes = 0;
    std::int32_t savedSeconds = 0;

    // Saved totals plus this run.
    char totalHoursText[hoursTextSize] = "";
    char totalMinutesText[partTextSize] = "";
    char totalSecondsText[partTextSize] = "";
    int totalHoursLen = 0;
    int totalMinutesLen = 0;
    int totalSecondsLen = 0;
};

extern ClockState clockState;

// Reads the local date and time into the now texts; the first call also
// freezes them as the start-up date and time and takes the tick base.
void captureDateTime();

// Recomputes the run and total texts from the milliseconds elapsed since
// start-up and the saved totals.
void updateCounters();

// The totals of earlier runs, read from the state file.
void setSavedTotals(std::int32_t hours, std::int32_t minutes, std::int32_t seconds);

// Leaves `ms` (a sleep) out of this run's running time.
void leaveOutOfRun(std::uint64_t ms);
