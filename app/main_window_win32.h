#pragma once
// Start-up, the main window with its buttons, and the window procedure.

#include <windows.h>

// The main window's eight buttons, made by main_window_win32.cpp.
struct MainWindowButtons {
    HWND timeListButton = nullptr;
    HWND statisticsButton = nullptr;
    HWND compactViewButton = nullptr;
    HWND manualButton = nullptr;
    HWND aboutButton = nullptr;
    HWND cancelButton = nullptr;
    HWND okButton = nullptr;
    HWND editButton = nullptr;
};

extern MainWindowButtons buttons;

bool registerMainWindowClass(HINSTANCE instance);
HWND createMainWindow(HINSTANCE instance, int showMode);
void createButtons(HINSTANCE instance);

// The whole program: start-up in its fixed order, then the message loop.
// Returns the process exit code.
int runUravik(HINSTANCE instance, int showMode);
