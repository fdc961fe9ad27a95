#include "companions/engine/away_periods.h"

#include <algorithm>

#include "common/data_file_format.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_file.h"

namespace uvlog {

namespace format = data_file_format;

namespace {

// Digits at `at`; false when any is not one.
bool readNumber(std::string_view text, std::size_t at, std::size_t digits, int* value)
{
    *value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        *value = *value * 10 + (text[i] - '0');
    }
    return true;
}

// "YYYY-MM-DD HH:MM:SS" as a moment; false for anything else.
bool readDateTime(std::string_view text, std::int64_t* moment)
{
    if (text.size() != format::awayDateTimeLength || text[4] != '-' || text[7] != '-' ||
        text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return false;
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!readNumber(text, 0, 4, &date.year) || !readNumber(text, 5, 2, &date.month) ||
        !readNumber(text, 8, 2, &date.day) || !readNumber(text, 11, 2, &hour) ||
        !readNumber(text, 14, 2, &minute) || !readNumber(text, 17, 2, &second))
        return false;
    if (!isValidDate(date) || hour > 23 || minute > 59 || second > 59)
        return false;
    *moment = momentOf(date, static_cast<std::uint32_t>(hour * 3600 + minute * 60 + second));
    return true;
}

bool readLine(std::string_view line, AwayPeriod* period)
{
    const std::string_view gap = format::awayFieldGap;
    const std::size_t width = format::awayDateTimeLength;
    if (line.size() < 2 * (width + gap.size()) || line.substr(width, gap.size()) != gap ||
        line.substr(2 * width + gap.size(), gap.size()) != gap)
        return false;
    if (!readDateTime(line.substr(0, width), &period->begin) ||
        !readDateTime(line.substr(width + gap.size(), width), &period->end) ||
        period->end <= period->begin)
        return false;
    period->cause = std::string(line.substr(2 * (width + gap.size())));
    return true;
}

}  // namespace

AwayPeriods parseAwayPeriods(std::string_view text)
{
    AwayPeriods away;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        AwayPeriod period;
        if (readLine(line, &period))
            away.lines.push_back(std::move(period));
        at = end + 1;
    }
    std::vector<AwayPeriod> sorted = away.lines;
    std::sort(sorted.begin(), sorted.end(),
              [](const AwayPeriod& a, const AwayPeriod& b) { return a.begin < b.begin; });
    for (AwayPeriod& period : sorted) {
        if (!away.merged.empty() && period.begin <= away.merged.back().end)
            away.merged.back().end = std::max(away.merged.back().end, period.end);
        else
            away.merged.push_back(std::move(period));
    }
    return away;
}

FileReading readAwayFile(const std::string& path, AwayPeriods* away)
{
    if (const FileReading kind = whatLiesAt(path); kind != FileReading::read)
        return kind;
    std::string text;
    if (!readFileFrom(path, 0, text))
        return FileReading::unreadable;
    *away = parseAwayPeriods(text);
    return FileReading::read;
}

AwayIndices awayPeriodsWithin(const AwayPeriods& away, std::int64_t from, std::int64_t to)
{
    // The first period that ends after `from`; the merged periods are sorted
    // by their ends too.
    const auto first = std::upper_bound(
        away.merged.begin(), away.merged.end(), from,
        [](std::int64_t moment, const AwayPeriod& period) { return moment < period.end; });
    auto last = first;
    while (from < to && last != away.merged.end() && last->begin < to)
        ++last;
    return {static_cast<std::size_t>(first - away.merged.begin()),
            static_cast<std::size_t>(last - away.merged.begin())};
}

std::uint64_t awaySecondsWithin(const AwayPeriods& away, std::int64_t from, std::int64_t to)
{
    const AwayIndices within = awayPeriodsWithin(away, from, to);
    std::uint64_t seconds = 0;
    for (std::size_t i = within.first; i < within.last; ++i) {
        const AwayPeriod& period = away.merged[i];
        seconds +=
            static_cast<std::uint64_t>(std::min(to, period.end) - std::max(from, period.begin));
    }
    return seconds;
}

}  // namespace uvlog
