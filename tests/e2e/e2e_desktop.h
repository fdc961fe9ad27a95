#pragma once
// What a person does at the desktop: clicks at a place in a window, types
// keys, and looks at the screen.

#include <windows.h>

#include <functional>
#include <string>

#include "display/layout.h"
#include "tests/win32/bitmap_file.h"

// Moves the mouse to the middle of a place of `window`'s layout and clicks
// the left button.
void clickOn(HWND window, const FieldRect& place);

// Brings `window` forward, as a person would when another window covers its
// buttons, clicks `button`, and waits for a top-level window of
// `className`; null when none came.
HWND clickAndWaitFor(HWND window, const FieldRect& button, const char* className);

// Types the text's characters with the keyboard, one key press each (no
// character that needs Shift).
void typeKeys(const std::string& text);

// Lets the desktop's windows handle what is queued for them.
void settle(DWORD ms);

// Settles until `done` holds, at most `timeoutMs`; whether it came to hold.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// True when the child is shown with a non-empty size inside the client area.
bool childIsUsable(HWND child);

// A titled window of the test's own, hidden until brought to the top
// (shown, above every other window, not activated). Its title has a
// letter outside ASCII, which the log must keep.
constexpr const char* peerTitle = "Uravik testf\xF6nster";
HWND makePeerWindow();
void bringToTop(HWND window);

// What the screen shows over a client rectangle of `window`.
Image screenImage(HWND window, RECT clientRect);
