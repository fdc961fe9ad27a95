#pragma once
// Tells whether a modem is on line: a modem connection holds its serial
// port, so a port that opened at start-up and no longer opens is taken as
// a connection.

#include "common/shared_state.h"

constexpr int portCount = 7;  // COM1 to COM7

// Only port_watch.cpp writes PortWatchState.
struct PortWatchState {
    int portAvailable[portCount] = {};  // index n - 1 for COMn
    int watchedPort = 1;
};

extern PortWatchState portWatch;

// Probes COM1 to COM7 once and remembers which could be opened.
void takePortInventory();

// One pass of the watch, once a second: moves on to the next port while off
// line and probes it; stays on the held port while on line.
void watchPortStep();
