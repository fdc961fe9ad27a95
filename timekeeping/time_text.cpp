#include "timekeeping/time_text.h"

#include <cstring>

std::string twoDigitForm(const char* text)
{
    return std::strlen(text) == 1 ? std::string("0") + text : std::string(text);
}
