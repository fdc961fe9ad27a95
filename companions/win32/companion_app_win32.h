#pragma once
// What the three companion windows share: start-up of the common controls,
// the dialog font, child controls, and the message loop.

#include <windows.h>

#include <string>

namespace companion {

// Registers the list view and status bar classes.
void initCommonControls();

// Registers a companion's top-level window class: the program's icon, the
// arrow cursor and the dialog background.
bool registerWindowClass(HINSTANCE instance, const char* className, WNDPROC windowProc);

// The system's font for dialogs (a stock object: never deleted).
HFONT dialogFont();

// A bold copy of the dialog font; the caller deletes it.
HFONT createBoldDialogFont();

// A child control with the dialog font.
HWND createChild(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id);

// The outer window size that gives a client area of the given size.
SIZE windowSizeForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight);

std::string windowText(HWND window);

}  // namespace companion
