#pragma once
// The arithmetic of the statistics charts, kept apart from the drawing so it
// can be checked without a screen.

#include <cstdint>

namespace uvlog {

// Length in pixels of a bar for `value` when `maximum` fills `fullLength`:
// rounded, never longer than fullLength, and at least 1 for any value above 0
// so that a short period still shows.
int scaledLength(std::uint64_t value, std::uint64_t maximum, int fullLength);

struct ChartAxis {
    std::uint64_t topSeconds = 0;   // the value at the top of the chart
    std::uint64_t stepSeconds = 0;  // distance between grid lines
};

// A vertical axis in whole hours for values up to `maximumSeconds`: at most
// six grid lines, on steps of 1, 2, 3, 4, 6, 12 or 24 hours (then doubling).
ChartAxis hourAxis(std::uint64_t maximumSeconds);

}  // namespace uvlog
