#pragma once
// The process-wide variables that the shell writes and the display and the
// time keeping read: the main window and the window above it, the modem's
// state, the view and the texts of the two input fields. Portable.

#include "host/host.h"

struct SharedState {
    host::WindowHandle mainWindow = 0;
    // The nearest visible window above the main window, fetched every tick.
    host::WindowHandle windowAbove = 0;
    int modemOnline = 0;
    int probedPort = 0;  // the port the watch looked at last, 0 for none yet
    int compactView = 0;
    int editMode = 0;
    char highRateCostText[8] = "23";
    char modemPortText[8] = "AUTO";
};

extern SharedState shared;
