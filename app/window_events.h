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

// The run is ending (the window closes, the session ends, the machine goes
// to sleep): records the period up to now and saves the totals, once.
void endRun();
// The session ends: the run ends with no message box, which would hold up
// the log-off.
void endSession();
// The machine woke up: the run goes on and a later end records again.
void resumeRun();

void selectFieldAtCursor();
void typeIntoSelectedField(int code);
