#pragma once
// The periods nobody was at the computer, as the program notes them in
// yborta.dab: one line each, its local start, end and cause. The companions
// leave this time out of the windows' time and show it as a row of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "companions/engine/log_file.h"

namespace uvlog {

struct AwayPeriod {
    std::int64_t begin = 0;  // moments on the log's own (local) clock
    std::int64_t end = 0;
    std::string cause;  // as the file spells it
};

struct AwayPeriods {
    // Every readable line, in the file's order: what the reader shows.
    std::vector<AwayPeriod> lines;
    // The same time sorted and with any overlap merged, so that no second
    // is left out twice: what the statistics count.
    std::vector<AwayPeriod> merged;

    bool empty() const { return merged.empty(); }
};

// Reads the file's text. A line that does not read as two dates and times
// with the end after the start (damage, a hand edit) is skipped.
AwayPeriods parseAwayPeriods(std::string_view text);

// Reads the file at `path` into `away`, and tells whether it could be.
FileReading readAwayFile(const std::string& path, AwayPeriods* away);

// The seconds of [from, to) that lie in away periods.
std::uint64_t awaySecondsWithin(const AwayPeriods& away, std::int64_t from, std::int64_t to);

// The merged periods that overlap [from, to): indices first to last, last
// excluded.
struct AwayIndices {
    std::size_t first = 0;
    std::size_t last = 0;
};
AwayIndices awayPeriodsWithin(const AwayPeriods& away, std::int64_t from, std::int64_t to);

}  // namespace uvlog
