#include "display/input_fields.h"

#include "display/layout.h"

namespace {

constexpr int backspaceCode = 8;
constexpr int firstAcceptedCode = 48;  // '0'
constexpr int lastAcceptedCode = 122;  // 'z'

}  // namespace

int hitTestField(host::WindowHandle window, int x, int y, int width, int height, int number)
{
    // The cursor as it is now, not where the click message says it was.
    const host::Point p = host::cursorPosInClient(window);
    const bool inside = x < p.x && p.x < x + width && y < p.y && p.y < y + height;
    return inside ? number : 0;
}

char* editFieldText(host::WindowHandle window, int x, int y, int width, int height, int code,
                    char* text, int& fieldTextLength)
{
    if (code == backspaceCode && fieldTextLength > 0) {
        --fieldTextLength;
        text[fieldTextLength] = '\0';
    }
    if (fieldTextLength < fieldTextCapacity && code >= firstAcceptedCode &&
        code <= lastAcceptedCode) {
        text[fieldTextLength] = static_cast<char>(code);
        ++fieldTextLength;
        text[fieldTextLength] = '\0';
    }
    // The whole box as drawn: otherwise descenders and the border's lower
    // rows keep what was there before.
    host::invalidateRect(window, x, y, x + width + layout::boxOverhangRight,
                         y + height + layout::boxOverhangBelow);
    return text;
}

void invalidateField(host::WindowHandle window, const FieldRect& f)
{
    host::invalidateRect(window, f.x, f.y, f.x + f.width, f.y + f.height);
}
