#pragma once
// Every process-wide struct of the program as at a fresh start, for tests
// that must not see what an earlier case left. A new process-wide struct
// gets its line here.

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "common/shared_state.h"
#include "display/refresh_cache.h"
#include "timekeeping/away_time.h"
#include "timekeeping/clock.h"
#include "timekeeping/failure_notice.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"
#ifdef _WIN32
#include "app/main_window_win32.h"
#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#endif

inline void resetProgramState()
{
    shared = SharedState{};
    shell = ShellState{};
    portWatch = PortWatchState{};
    clockState = ClockState{};
    stateFile = StateFileState{};
    timeLog = TimeLogState{};
    refreshCache = RefreshCache{};
    away = AwayState{};
    failureBoxesHeld = false;
#ifdef _WIN32
    // The Win32 side's: no buttons or fonts made yet, hidden drawing culled.
    buttons = MainWindowButtons{};
    fonts = FontState{};
    cullHiddenDrawing = true;
#endif
}
