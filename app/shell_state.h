#pragma once
// The main window's handles and the window procedure's own variables.

#include "host/host.h"

struct ShellState {
    host::WindowHandle mainWindow = 0;
    host::WindowHandle timeListButton = 0;
    host::WindowHandle statisticsButton = 0;
    host::WindowHandle compactViewButton = 0;
    host::WindowHandle manualButton = 0;
    host::WindowHandle aboutButton = 0;
    host::WindowHandle cancelButton = 0;
    host::WindowHandle okButton = 0;
    host::WindowHandle editButton = 0;

    int refreshTicks = 0;
    int portWatchTicks = 0;
    host::WindowHandle windowAbove = 0;
    host::WindowHandle loggedWindowAbove = 0;
    int selectedField = 0;
    char highRateCostText[8] = "23";
    char modemPortText[8] = "AUTO";
    int highRateCostLength = 0;  // characters typed into field 4 so far
    int modemPortLength = 0;     // characters typed into field 5 so far
    int compactView = 0;
    int editMode = 0;

    // Set once the state file is loaded and the log checked; until then the
    // tick does no file work, although the timer already runs and start-up
    // message boxes deliver ticks.
    bool startupComplete = false;
    // Set once the end of the run is recorded; the tick writes nothing more.
    bool runEnded = false;
};

extern ShellState shell;
