#include "companions/engine/record_time.h"

#include <cstdlib>

namespace uvlog {

namespace {

// A clock change moves the clock by an hour, in some places by half of one
// or two; a larger step is a clock set by hand.
constexpr std::int64_t largestClockChange = 2 * secondsPerHour;
// The middle of the night hour in which clocks change.
constexpr std::int64_t clockChangeSecondOfDay = 2 * secondsPerHour + 1800;
// Range bounds far outside any date a log can hold, so moments cannot overflow.
constexpr std::int64_t farDays = 1'000'000'000;

}  // namespace

std::int64_t usableSeconds(std::uint64_t seconds)
{
    return static_cast<std::int64_t>(std::min(seconds, longestUsableRunSeconds));
}

bool runStartMoment(const RunHeader& run, std::int64_t* moment)
{
    if (!run.dateValid)
        return false;
    *moment = momentOf(run.startDate, run.startSecondOfDay);
    return true;
}

bool recordEndMoment(const ParsedLog& log, const LogEntry& entry, std::int64_t* moment)
{
    if (entry.run < 0)
        return false;
    std::int64_t start = 0;
    if (!runStartMoment(log.runs[static_cast<std::size_t>(entry.run)], &start))
        return false;
    const std::int64_t reckoned = start + usableSeconds(entry.runSeconds);
    if (entry.clockSeconds >= secondsPerDay) {
        *moment = reckoned;
        return true;
    }
    // The clock time on the day before, the same day or the day after,
    // whichever lies nearest.
    const std::int64_t sameDay = dayOfMoment(reckoned) * secondsPerDay + entry.clockSeconds;
    std::int64_t best = sameDay;
    for (const std::int64_t candidate : {sameDay - secondsPerDay, sameDay + secondsPerDay}) {
        if (std::llabs(candidate - reckoned) < std::llabs(best - reckoned))
            best = candidate;
    }
    *moment = best;
    return true;
}

ClockSpan clockSpan(std::int64_t begin, std::int64_t end, std::uint64_t seconds)
{
    ClockSpan span;
    span.end = end;
    span.seconds = seconds;
    const std::int64_t length = usableSeconds(seconds);
    const std::int64_t change = length - (end - begin);
    if (begin > end || (begin == end && length > 0) || std::llabs(change) > largestClockChange) {
        span.begin = end - length;
        return span;
    }
    span.begin = begin;
    span.change = change;
    // The first night's change hour within the span; its last moment if none.
    const std::int64_t day = dayOfMoment(begin);
    std::int64_t at = day * secondsPerDay + clockChangeSecondOfDay;
    if (at < begin)
        at += secondsPerDay;
    span.changeAt = at < end ? at : end - 1;
    return span;
}

std::int64_t rangeBegin(const DateRange& range)
{
    return std::max(range.firstDay, -farDays) * secondsPerDay;
}

std::int64_t rangeEnd(const DateRange& range)
{
    return (std::min(range.lastDay, farDays) + 1) * secondsPerDay;
}

}  // namespace uvlog
