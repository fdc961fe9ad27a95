#pragma once
// The window procedure's own variables. What the display and the time
// keeping read as well lives in common/shared_state.h.

#include <cstdint>

#include "common/shared_state.h"

// Why the run is ended: closed for good, or for a while.
enum class RunPause { none, closed, sessionEnded, asleep };

// Written by the shell (app/) alone.
struct ShellState {
    int refreshTicks = 0;
    int portWatchTicks = 0;
    int selectedField = 0;
    int highRateCostLength = 0;  // characters typed into field 4 so far
    int modemPortLength = 0;     // characters typed into field 5 so far

    // Set once the state file is loaded; until then the tick does no file
    // work, although the timer already runs. Start-up message boxes come
    // after it, and their ticks log.
    bool startupComplete = false;
    // Set once the end of the run is recorded; the tick writes nothing more.
    bool runEnded = false;
    RunPause pause = RunPause::none;
    std::uint64_t pausedTick = 0;
    std::uint64_t previousTick = 0;  // when the latest tick ran
    // A companion could not be started and its box is open: a click
    // meanwhile must not stack a second one.
    bool programBoxOpen = false;
};

extern ShellState shell;
