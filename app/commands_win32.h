#pragma once
// The button commands, the views they switch between, and the system menu's
// way back to the main view.

#include <windows.h>

// Carries out button command `id` (3 to 10); any other value is ignored.
void carryOutCommand(WPARAM id);

// Adds "Hela fönstret" to the window's system menu.
void addMainViewMenuItem(HWND window);

// Carries out a system menu command of Uravik's own; false for the
// system's commands, which go on to the default processing.
bool carryOutSystemCommand(WPARAM command);
