#include "timekeeping/time_text.h"

#include <cstdio>
#include <cstring>

void formatTwoDigit(char* out, std::size_t outSize, const char* text)
{
    std::snprintf(out, outSize, std::strlen(text) == 1 ? "0%s" : "%s", text);
}
