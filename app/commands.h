#pragma once
// The button command ids.

enum Command : int {
    cmdManual = 3,
    cmdAbout = 4,
    cmdStatistics = 5,
    cmdTimeList = 6,
    cmdCompactView = 7,
    cmdSmallView = 8,
    cmdEditOff = 9,
    cmdEditOn = 10,
};

// The system menu item that restores the main view. System menu ids lie
// below 0xF000 and keep their low four bits clear.
constexpr unsigned sysCmdMainView = 0x0110;
