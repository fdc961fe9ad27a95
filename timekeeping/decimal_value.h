#pragma once
// The value of a number read as text from a file.

#include <cstdint>

// Leading blanks skipped, an optional sign, then the digits up to the first
// other character; 0 when there are none. Values too large for 64 bits stop
// growing instead of overflowing.
std::int64_t decimalValue(const char* text);
