#include "timekeeping/decimal_value.h"

#include <cstdint>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int64_t decimalValue(const char* text)
{
    // Another digit after this would not fit in 64 bits.
    constexpr std::int64_t ceiling = (INT64_MAX - 9) / 10;
    while (isBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    std::int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= ceiling)
            value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}
