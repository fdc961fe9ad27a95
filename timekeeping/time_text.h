#pragma once
// Small text rules shared by the counters, the log, the state file and painting.

#include <cstddef>

// Writes `text` into `out`, with a "0" before it when it is one character long.
void formatTwoDigit(char* out, std::size_t outSize, const char* text);
