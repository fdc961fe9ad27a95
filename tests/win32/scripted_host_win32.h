#pragma once
// The real seam with a scripted clock, serial ports and cursor, for driving
// the real window procedure step by step.

#include <cstdint>

#include "host/host.h"

struct ScriptedHost {
    // Milliseconds since the system started; the calendar runs with it from
    // `startOfDay` seconds into the day given, at `calendarPhase` ms past a
    // tick-count second, so that the clock's seconds and the run's seconds
    // turn at different ticks.
    std::uint64_t tick = 0;
    host::CalendarTime day{126, 11, 6, 0, 0, 0};
    int startOfDay = 0;
    int calendarPhase = 0;
    bool portOpens[8] = {false, true, true, true, true, true, true, true};
    host::Point cursor;
};

extern ScriptedHost scriptedHost;
