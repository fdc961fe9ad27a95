#include "display/font_style.h"

FontStyle fontStyleFromCode(int styleCode)
{
    FontStyle style;
    // Widened before negating, so the most negative int is safe too.
    long long rest = styleCode < 0 ? -static_cast<long long>(styleCode) : styleCode;
    for (; rest > 0; rest /= 10) {
        switch (rest % 10) {
            case 1:
                style.italic = true;
                break;
            case 2:
                style.underline = true;
                break;
            case 3:
                style.strikeOut = true;
                break;
            default:
                break;
        }
    }
    return style;
}
