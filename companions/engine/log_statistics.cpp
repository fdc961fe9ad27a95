#include "companions/engine/log_statistics.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "companions/engine/calendar.h"

namespace uvlog {

namespace {

constexpr std::int64_t secondsPerDay = 86400;

std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return a > most - b ? most : a + b;
}

// Adds a run's span to the days it covers within [firstDay, firstDay + count).
void addRunToDays(const RunHeader& run, std::int64_t firstDay, std::vector<DayTime>& days)
{
    const std::int64_t count = static_cast<std::int64_t>(days.size());
    const std::int64_t windowStart = firstDay * secondsPerDay;
    const std::int64_t windowEnd = (firstDay + count) * secondsPerDay;
    const std::int64_t start = daysFromCivil(run.startDate) * secondsPerDay + run.startSecondOfDay;
    if (start >= windowEnd)
        return;
    // Clamped first, so an absurd run time costs no more than the window's days.
    const std::uint64_t room = static_cast<std::uint64_t>(windowEnd - start);
    const std::int64_t end = start + static_cast<std::int64_t>(std::min(run.lastRunSeconds, room));
    std::int64_t from = std::max(start, windowStart);
    while (from < end) {
        const std::int64_t day = from / secondsPerDay;
        const std::int64_t to = std::min(end, (day + 1) * secondsPerDay);
        days[static_cast<std::size_t>(day - firstDay)].seconds +=
            static_cast<std::uint64_t>(to - from);
        from = to;
    }
}

}  // namespace

LogStatistics summariseLogs(const std::vector<const ParsedLog*>& logs, CalendarDate today)
{
    LogStatistics stats;
    std::unordered_map<std::string_view, std::size_t> titleIndex;

    const std::int64_t todayNumber = daysFromCivil(today);
    const std::int64_t firstDay = todayNumber - (statisticsDayCount - 1);
    stats.days.resize(statisticsDayCount);
    for (int i = 0; i < statisticsDayCount; ++i)
        stats.days[static_cast<std::size_t>(i)].date = civilFromDays(firstDay + i);
    const bool daysUsable = isValidDate(today);

    for (const ParsedLog* log : logs) {
        for (const LogEntry& entry : log->entries) {
            if (entry.kind == EntryKind::raw) {
                ++stats.rawLineCount;
                continue;
            }
            if (entry.kind != EntryKind::record)
                continue;
            ++stats.recordCount;
            stats.latestTotalSeconds = entry.totalSeconds;
            if (entry.sinceOsStart) {
                stats.beforeStartSeconds =
                    addSaturating(stats.beforeStartSeconds, entry.periodSeconds);
                continue;
            }
            stats.windowSeconds = addSaturating(stats.windowSeconds, entry.periodSeconds);
            if (entry.online)
                stats.onlineSeconds = addSaturating(stats.onlineSeconds, entry.periodSeconds);

            const std::string_view title = entryText(*log, entry);
            auto [slot, added] = titleIndex.try_emplace(title, stats.titles.size());
            if (added)
                stats.titles.push_back(TitleTime{std::string(title), 0, 0});
            TitleTime& sum = stats.titles[slot->second];
            sum.seconds = addSaturating(sum.seconds, entry.periodSeconds);
            ++sum.periods;
        }
        for (const RunHeader& run : log->runs) {
            ++stats.startupCount;
            stats.runningSeconds = addSaturating(stats.runningSeconds, run.lastRunSeconds);
            stats.longestRunSeconds = std::max(stats.longestRunSeconds, run.lastRunSeconds);
            if (run.dateValid && daysUsable)
                addRunToDays(run, firstDay, stats.days);
        }
    }
    if (stats.startupCount > 0)
        stats.averageRunSeconds = stats.runningSeconds / stats.startupCount;

    std::sort(stats.titles.begin(), stats.titles.end(), [](const TitleTime& a, const TitleTime& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        return a.title < b.title;
    });
    return stats;
}

}  // namespace uvlog
