#pragma once
// The two on-window input fields: plain rectangles of the client area with a
// text buffer each, no platform edit control.

#include "display/layout.h"
#include "host/host.h"

constexpr int fieldTextCapacity = 7;  // characters; the buffers hold 8 bytes

// `number` when the cursor lies strictly inside the rectangle, else 0.
int hitTestField(host::WindowHandle window, int x, int y, int width, int height, int number);

// Applies one typed character to the field's 8-byte text. `fieldTextLength`
// is that field's own typing count: it starts at 0, so the first key typed
// replaces the initial text. Accepts codes 48 to 122 and backspace (8);
// the whole box painted for the field is invalidated whether or not the
// text changed.
char* editFieldText(host::WindowHandle window, int x, int y, int width, int height, int code,
                    char* text, int& fieldTextLength);

// Asks for the rectangle to be repainted, without erasing the background.
void invalidateField(host::WindowHandle window, const FieldRect& field);
