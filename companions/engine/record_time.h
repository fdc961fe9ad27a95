#pragma once
// Where a record's time lies on the log's own clock: the moment its period
// ends, and how a stretch of time splits into days or hours within a range.
// Every table that counts time by date or hour counts it through here.

#include <algorithm>
#include <cstdint>

#include "companions/engine/away_periods.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_parser.h"

namespace uvlog {

constexpr std::int64_t secondsPerHour = 3600;

// Longer run times are clock or file damage; capped so that moments stay
// far inside 64 bits.
constexpr std::uint64_t longestUsableRunSeconds = 100ull * 366 * secondsPerDay;

std::int64_t usableSeconds(std::uint64_t seconds);

// The moment of the run's start-up; false when its header gave no real date.
bool runStartMoment(const RunHeader& run, std::int64_t* moment);

// The moment a record's period ends: the clock time the record carries, on
// the day nearest to its run's start plus its run time (which alone is an
// hour off on the days the clocks change). False when the run has no date.
bool recordEndMoment(const ParsedLog& log, const LogEntry& entry, std::int64_t* moment);

// A stretch of `seconds` that began at local moment `begin` and ended at
// `end`. The two differ from `seconds` when the clocks changed within it.
struct ClockSpan {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::uint64_t seconds = 0;
    // Seconds the clock change added (or took) in the piece holding
    // `changeAt`: the clocks change in the night, at 02:00 or 03:00.
    std::int64_t change = 0;
    std::int64_t changeAt = 0;
};

// The span of `seconds` ending at `end`, begun at `begin` when that is
// within one clock change of it; otherwise (a clock set by hand) counted
// back from `end`.
ClockSpan clockSpan(std::int64_t begin, std::int64_t end, std::uint64_t seconds);

// The first and last moment (exclusive) of a range's days.
std::int64_t rangeBegin(const DateRange& range);
std::int64_t rangeEnd(const DateRange& range);

// Calls visit(pieceBegin, pieceEnd, seconds) for each piece of `span` that
// lies in the range's days, cut at every multiple of `step` (a day or an hour).
template <class Visit>
void forEachPieceBetween(const ClockSpan& span, std::int64_t step, const DateRange& range,
                         Visit visit)
{
    std::int64_t from = std::max(span.begin, rangeBegin(range));
    const std::int64_t to = std::min(span.end, rangeEnd(range));
    while (from < to) {
        const std::int64_t boundary = (from >= 0 ? from / step : (from - step + 1) / step) + 1;
        const std::int64_t pieceEnd = std::min(to, boundary * step);
        std::int64_t seconds = pieceEnd - from;
        if (span.changeAt >= from && span.changeAt < pieceEnd)
            seconds = std::max<std::int64_t>(0, seconds + span.change);
        visit(from, pieceEnd, static_cast<std::uint64_t>(seconds));
        from = pieceEnd;
    }
}

// Calls visit(pieceBegin, seconds) for each piece, as above.
template <class Visit>
void forEachPiece(const ClockSpan& span, std::int64_t step, const DateRange& range, Visit visit)
{
    forEachPieceBetween(
        span, step, range,
        [&](std::int64_t from, std::int64_t, std::uint64_t seconds) { visit(from, seconds); });
}

// Calls visit(pieceBegin, present, away) for each piece: its seconds split
// into those outside the away periods and those inside them.
template <class Visit>
void forEachPiece(const ClockSpan& span, std::int64_t step, const DateRange& range,
                  const AwayPeriods& away, Visit visit)
{
    forEachPieceBetween(
        span, step, range, [&](std::int64_t from, std::int64_t to, std::uint64_t seconds) {
            // A clock change may make a piece shorter than the moments it spans.
            const std::uint64_t awaySeconds = std::min(seconds, awaySecondsWithin(away, from, to));
            visit(from, seconds - awaySeconds, awaySeconds);
        });
}

}  // namespace uvlog
