#include "companions/engine/log_statistics.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>

#include "companions/companion_texts.h"

namespace uvlog {

namespace {

// Longer run times are clock or file damage; capped so that moments stay
// far inside 64 bits.
constexpr std::uint64_t longestUsableRunSeconds = 100ull * 366 * secondsPerDay;
// Days are split out of runs at most this far back from the range's end, so
// an absurd run time costs no more than this many days of work.
constexpr std::int64_t dayTableSpan = 3660;

std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return a > most - b ? most : a + b;
}

std::int64_t usableSeconds(std::uint64_t seconds)
{
    return static_cast<std::int64_t>(std::min(seconds, longestUsableRunSeconds));
}

void sortLargestFirst(std::vector<TitleTime>& rows)
{
    std::sort(rows.begin(), rows.end(), [](const TitleTime& a, const TitleTime& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        return a.title < b.title;
    });
}

}  // namespace

bool recordEndMoment(const ParsedLog& log, const LogEntry& entry, std::int64_t* moment)
{
    if (entry.run < 0)
        return false;
    const RunHeader& run = log.runs[static_cast<std::size_t>(entry.run)];
    if (!run.complete || !run.dateValid)
        return false;
    *moment = momentOf(run.startDate, run.startSecondOfDay) + usableSeconds(entry.runSeconds);
    return true;
}

std::string_view applicationOf(std::string_view title)
{
    constexpr std::string_view separator = " - ";
    const std::size_t at = title.rfind(separator);
    if (at == std::string_view::npos || at + separator.size() == title.size())
        return title;
    return title.substr(at + separator.size());
}

LogSummariser::LogSummariser(SummaryOptions options) : options_(std::move(options)) {}

void LogSummariser::beginLog()
{
    runExtras_.clear();
}

namespace {

std::size_t rowFor(std::vector<TitleTime>& rows,
                   std::unordered_map<std::string, std::size_t>& index, std::string_view name)
{
    const auto slot = index.try_emplace(std::string(name), rows.size()).first;
    if (slot->second == rows.size())
        rows.push_back(TitleTime{std::string(name), 0, 0});
    return slot->second;
}

void addPeriod(TitleTime& row, std::uint64_t seconds)
{
    row.seconds = addSaturating(row.seconds, seconds);
    ++row.periods;
}

}  // namespace

const LogSummariser::TitleSlots& LogSummariser::slotsOf(std::string_view title)
{
    const auto known = slots_.find(title);
    if (known != slots_.end())
        return known->second;
    const std::string_view shown =
        options_.privacy.hides(title) ? std::string_view(companion_texts::hiddenTitle) : title;
    TitleSlots slots;
    slots.title = rowFor(stats_.titles, titleIndex_, shown);
    slots.application = rowFor(stats_.applications, applicationIndex_, applicationOf(shown));
    seenTitles_.emplace_back(title);
    return slots_.emplace(seenTitles_.back(), slots).first->second;
}

void LogSummariser::addEntry(const ParsedLog& log, const LogEntry& entry)
{
    if (entry.kind == EntryKind::raw) {
        ++stats_.rawLineCount;
        return;
    }
    if (entry.kind != EntryKind::record)
        return;
    RunExtra* extra = nullptr;
    if (entry.run >= 0) {
        const std::size_t run = static_cast<std::size_t>(entry.run);
        if (runExtras_.size() <= run)
            runExtras_.resize(run + 1);
        extra = &runExtras_[run];
        if (entry.online)
            extra->onlineSeconds = addSaturating(extra->onlineSeconds, entry.periodSeconds);
        if (entry.sinceOsStart) {
            extra->hasSystemStart = true;
            extra->sinceSystemStartSeconds = entry.periodSeconds;
        }
    }

    std::int64_t end = 0;
    const bool inRange = recordEndMoment(log, entry, &end)
                             ? options_.range.contains(dayOfMoment(end))
                             : !options_.range.bounded();
    if (!inRange)
        return;
    ++stats_.recordCount;
    stats_.latestTotalSeconds = entry.totalSeconds;
    if (entry.sinceOsStart)
        return;  // time before the program started, not time in a window
    stats_.windowSeconds = addSaturating(stats_.windowSeconds, entry.periodSeconds);
    if (entry.online)
        stats_.onlineSeconds = addSaturating(stats_.onlineSeconds, entry.periodSeconds);

    const TitleSlots& slots = slotsOf(entryText(log, entry));
    addPeriod(stats_.titles[slots.title], entry.periodSeconds);
    addPeriod(stats_.applications[slots.application], entry.periodSeconds);
}

void LogSummariser::addRun(const RunHeader& run, const RunExtra& extra)
{
    const DateRange& range = options_.range;
    const bool dated = run.complete && run.dateValid;
    const std::int64_t start = dated ? momentOf(run.startDate, run.startSecondOfDay) : 0;
    const std::int64_t end = start + usableSeconds(run.lastRunSeconds);
    if (range.bounded() &&
        (!dated || dayOfMoment(start) > range.lastDay || dayOfMoment(end) < range.firstDay))
        return;

    RunRow row;
    row.startupNumber = run.startupNumber;
    row.dated = dated;
    row.startMoment = start;
    row.runningSeconds = run.lastRunSeconds;
    row.records = run.recordCount;
    row.onlineSeconds = extra.onlineSeconds;
    row.hasSystemStart = extra.hasSystemStart;
    row.sinceSystemStartSeconds = extra.sinceSystemStartSeconds;
    stats_.runs.push_back(row);
    ++stats_.startupCount;
    longestRun_ = std::max(longestRun_, run.lastRunSeconds);
    runTimeSum_ = addSaturating(runTimeSum_, run.lastRunSeconds);
    if (!range.bounded())
        stats_.runningSeconds = addSaturating(stats_.runningSeconds, run.lastRunSeconds);
    if (!dated)
        return;

    const std::int64_t lastDay =
        range.lastDay == DateRange{}.lastDay ? daysFromCivil(options_.today) : range.lastDay;
    const std::int64_t firstDay = std::max(range.firstDay, lastDay - dayTableSpan);
    std::int64_t from = std::max(start, firstDay * secondsPerDay);
    const std::int64_t to = std::min(end, (lastDay + 1) * secondsPerDay);
    while (from < to) {
        const std::int64_t day = dayOfMoment(from);
        const std::int64_t dayEnd = std::min(to, (day + 1) * secondsPerDay);
        const std::uint64_t seconds = static_cast<std::uint64_t>(dayEnd - from);
        daySeconds_[day] += seconds;
        if (range.bounded())
            stats_.runningSeconds = addSaturating(stats_.runningSeconds, seconds);
        from = dayEnd;
    }
}

void LogSummariser::endLog(const ParsedLog& log)
{
    for (std::size_t i = 0; i < log.runs.size(); ++i)
        addRun(log.runs[i], i < runExtras_.size() ? runExtras_[i] : RunExtra{});
    runExtras_.clear();
}

LogStatistics LogSummariser::finish()
{
    LogStatistics stats = std::move(stats_);
    stats_ = LogStatistics{};
    if (stats.startupCount > 0) {
        stats.longestRunSeconds = longestRun_;
        stats.averageRunSeconds = runTimeSum_ / stats.startupCount;
    }
    sortLargestFirst(stats.titles);
    sortLargestFirst(stats.applications);

    const std::map<std::int64_t, std::uint64_t> ordered(daySeconds_.begin(), daySeconds_.end());
    for (const auto& [day, seconds] : ordered)
        stats.rangeDays.push_back(DayTime{civilFromDays(day), seconds});

    if (isValidDate(options_.today)) {
        const DateRange& range = options_.range;
        const std::int64_t lastDay =
            range.lastDay == DateRange{}.lastDay ? daysFromCivil(options_.today) : range.lastDay;
        for (std::int64_t day = lastDay - (statisticsDayCount - 1); day <= lastDay; ++day) {
            const auto found = daySeconds_.find(day);
            stats.days.push_back(
                DayTime{civilFromDays(day), found == daySeconds_.end() ? 0 : found->second});
        }
    }
    return stats;
}

LogStatistics summarise(const std::vector<const ParsedLog*>& logs, const SummaryOptions& options)
{
    LogSummariser summariser(options);
    for (const ParsedLog* log : logs) {
        summariser.beginLog();
        for (const LogEntry& entry : log->entries)
            summariser.addEntry(*log, entry);
        summariser.endLog(*log);
    }
    return summariser.finish();
}

LogStatistics summariseLogs(const std::vector<const ParsedLog*>& logs, CalendarDate today)
{
    SummaryOptions options;
    options.today = today;
    return summarise(logs, options);
}

}  // namespace uvlog
