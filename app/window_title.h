#pragma once
// The main window's title. Only the shell sets it: the run time in the main
// view, "Internet nu " and the run time while the modem is on line, and the
// fixed titles of the narrower views and of the log's move.

#include <string>

// The run time as the title shows it: after the program's name, or while
// the modem is on line after "Internet nu ".
std::string runTimeTitle(bool online);

// At each refresh: off line, the main view's title follows the run.
void refreshTitle();

// After each paint: on line, the right group shows the run time, and the
// title with it.
void titleAfterPaint();

// At start-up, before the log is moved into the history, which takes a
// while when it is large.
void announceLogMove();
