#pragma once
// Every process-wide struct of the program as at a fresh start, for tests
// that must not see what an earlier case left. A new process-wide struct
// gets its line here.

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "common/shared_state.h"
#include "display/paint_state.h"
#include "display/refresh_cache.h"
#include "timekeeping/clock.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

inline void resetProgramState()
{
    shared = SharedState{};
    shell = ShellState{};
    portWatch = PortWatchState{};
    clockState = ClockState{};
    stateFile = StateFileState{};
    timeLog = TimeLogState{};
    paintState = PaintState{};
    refreshCache = RefreshCache{};
    failureBoxesHeld = false;
}
