#pragma once
// What the window procedure does for the timer tick, a click and a typed
// character: the sequencing, free of any Win32 call.

#include "display/refresh_cache.h"

// Timer ids and periods.
constexpr unsigned tickTimerId = 100;
constexpr unsigned tickPeriodMs = 100;
constexpr int refreshEveryTicks = 9;
constexpr int portWatchEveryTicks = 10;

// The field ids of the two input fields.
constexpr int highRateCostField = 4;
constexpr int modemPortField = 5;

// At start-up: reads the state, moves an outgrown log, then tells what
// start-up found in message boxes, during which the run is already kept.
void loadDataFiles();

void runTick();

// The window closes: records the period up to now and saves the totals,
// once, and notes the time away under way.
void endRun();
// What every end of a run does (the window closes, the session ends, the
// machine goes to sleep): records the period up to now and saves the
// totals, once until the run goes on.
void recordEndOfRun();

void selectFieldAtCursor();
void typeIntoSelectedField(int code);
