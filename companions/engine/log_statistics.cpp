#include "companions/engine/log_statistics.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>

#include "companions/companion_texts.h"
#include "companions/engine/record_time.h"
#include "companions/engine/saturating.h"

namespace uvlog {

namespace {

void sortLargestFirst(std::vector<TitleTime>& rows)
{
    std::sort(rows.begin(), rows.end(), [](const TitleTime& a, const TitleTime& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        return a.title < b.title;
    });
}

template <class Tally>
void addPeriod(Tally& row, std::uint64_t seconds)
{
    row.seconds = addSaturating(row.seconds, seconds);
    ++row.periods;
}

}  // namespace

unsigned tablesFor(Grouping grouping)
{
    switch (grouping) {
        case Grouping::title:
            return titleTable;
        case Grouping::application:
            return applicationTable;
        case Grouping::category:
            return categoryTable;
        case Grouping::hour:
            return hourTable;
        default:
            return 0;
    }
}

std::string_view applicationOf(std::string_view title)
{
    constexpr std::string_view separator = " - ";
    const std::size_t at = title.rfind(separator);
    if (at == std::string_view::npos || at + separator.size() == title.size())
        return title;
    return title.substr(at + separator.size());
}

LogSummariser::LogSummariser(SummaryOptions options)
    : options_(std::move(options)),
      categories_(options_.categories.names.size() + 1),
      awayShown_(options_.away.merged.size())
{
}

void LogSummariser::beginLog()
{
    runExtras_.clear();
    lastDatedStart_ = std::numeric_limits<std::int64_t>::min();
}

LogSummariser::TitleTally& LogSummariser::titleOf(std::string_view title)
{
    key_.assign(title.data(), title.size());
    const auto [at, added] = titles_.try_emplace(key_);
    TitleTally& tally = at->second;
    if (!added)
        return tally;
    const bool hidden = options_.privacy.hides(title);
    tally.shown = hidden ? &hidden_ : &tally.own;
    if ((options_.tables & applicationTable) != 0) {
        const std::string_view shown =
            hidden ? std::string_view(companion_texts::hiddenTitle) : title;
        tally.application = &applications_[std::string(applicationOf(shown))];
    }
    // A hidden title still counts in its own category.
    if ((options_.tables & categoryTable) != 0)
        tally.category = &categories_[options_.categories.categoryOf(title)];
    return tally;
}

void LogSummariser::addDaySeconds(std::int64_t day, std::uint64_t seconds)
{
    // Records come in order: most fall on the day of the one before.
    if (daySum_ == nullptr || day != dayOfSum_) {
        daySum_ = &daySeconds_[day];
        dayOfSum_ = day;
    }
    *daySum_ = addSaturating(*daySum_, seconds);
    if (options_.range.bounded())
        stats_.runningSeconds = addSaturating(stats_.runningSeconds, seconds);
}

// The run's time from its previous record (or its start) to this one, into
// the days it fell on.
void LogSummariser::addRunTime(const ParsedLog& log, const LogEntry& entry, std::int64_t end,
                               RunExtra& extra)
{
    std::int64_t begin = 0;
    if (extra.hasLastRecord)
        begin = extra.lastRecordMoment;
    else
        runStartMoment(log.runs[static_cast<std::size_t>(entry.run)], &begin);
    const std::int64_t now = usableSeconds(entry.runSeconds);
    const std::int64_t before = usableSeconds(extra.lastRunSeconds);
    if (now > before) {
        const ClockSpan span = clockSpan(begin, end, static_cast<std::uint64_t>(now - before));
        forEachPiece(span, secondsPerDay, options_.range, [&](std::int64_t from, std::uint64_t s) {
            addDaySeconds(dayOfMoment(from), s);
        });
    }
    extra.hasLastRecord = true;
    extra.lastRecordMoment = end;
    extra.lastRunSeconds = std::max(extra.lastRunSeconds, entry.runSeconds);
}

// A window record's period, counted where it lies in the range.
void LogSummariser::addWindowTime(const ParsedLog& log, const LogEntry& entry, bool dated,
                                  std::int64_t end, RunExtra* extra)
{
    const DateRange& range = options_.range;
    std::uint64_t seconds = entry.periodSeconds;
    bool inRange = !range.bounded();
    ClockSpan span;
    if (entry.sinceOsStart) {
        // Its period lies before the program started: only its end counts.
        inRange = !range.bounded() || (dated && range.contains(dayOfMoment(end)));
    } else if (dated) {
        // The period usually runs from the run's previous record to this one.
        std::int64_t begin = end - usableSeconds(entry.periodSeconds);
        if (extra != nullptr && extra->hasLastRecord && entry.runSeconds >= extra->lastRunSeconds &&
            entry.runSeconds - extra->lastRunSeconds == entry.periodSeconds)
            begin = extra->lastRecordMoment;
        span = clockSpan(begin, end, entry.periodSeconds);
        if (!options_.away.empty() && !entry.sinceOsStart && extra != nullptr)
            extra->awaySeconds =
                addSaturating(extra->awaySeconds,
                              std::min(entry.periodSeconds,
                                       awaySecondsWithin(options_.away, span.begin, span.end)));
        if (range.bounded()) {
            // A period that ends at midnight lies wholly in the day before.
            seconds = 0;
            inRange = span.begin == span.end && range.contains(dayOfMoment(end));
            forEachPiece(span, secondsPerDay, range, [&](std::int64_t, std::uint64_t s) {
                seconds = addSaturating(seconds, s);
                inRange = true;
            });
        }
    } else {
        // No date, but the clock time still tells the hours.
        span = clockSpan(0, entry.clockSeconds % secondsPerDay, entry.periodSeconds);
    }
    if (!inRange)
        return;
    ++stats_.recordCount;
    stats_.latestTotalSeconds = entry.totalSeconds;
    if (entry.sinceOsStart)
        return;  // time before the program started, not time in a window
    if (dated && !options_.away.empty()) {
        // The part of the period (in the range) that nobody was there.
        std::uint64_t away = 0;
        forEachPiece(span, secondsPerDay, range, options_.away,
                     [&](std::int64_t from, std::uint64_t, std::uint64_t s) {
                         if (s == 0)
                             return;
                         away = addSaturating(away, s);
                         std::uint64_t& day = awayDaySeconds_[dayOfMoment(from)];
                         day = addSaturating(day, s);
                     });
        seconds -= std::min(seconds, away);
        if (away > 0) {
            stats_.awaySeconds = addSaturating(stats_.awaySeconds, away);
            // Each away period counts once, however many records it lay in.
            const AwayIndices within =
                awayPeriodsWithin(options_.away, std::max(span.begin, rangeBegin(range)),
                                  std::min(span.end, rangeEnd(range)));
            for (std::size_t i = within.first; i < within.last; ++i) {
                if (!awayShown_[i]) {
                    awayShown_[i] = true;
                    ++stats_.awayPeriods;
                }
            }
        }
    }
    stats_.windowSeconds = addSaturating(stats_.windowSeconds, seconds);
    if (entry.online)
        stats_.onlineSeconds = addSaturating(stats_.onlineSeconds, seconds);
    if ((options_.tables & hourTable) != 0 && (dated || !range.bounded())) {
        // An undated period cannot be placed among the away periods.
        static const AwayPeriods none;
        forEachPiece(span, secondsPerHour, dated ? range : DateRange{},
                     dated ? options_.away : none,
                     [&](std::int64_t from, std::uint64_t s, std::uint64_t) {
                         std::uint64_t& hour = stats_.hours[secondOfDay(from) / secondsPerHour];
                         hour = addSaturating(hour, s);
                     });
    }
    if ((options_.tables & (titleTable | applicationTable | categoryTable)) == 0)
        return;
    TitleTally& title = titleOf(entryText(log, entry));
    addPeriod(*title.shown, seconds);
    if (title.application != nullptr)
        addPeriod(*title.application, seconds);
    if (title.category != nullptr)
        addPeriod(*title.category, seconds);
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
    const bool dated = recordEndMoment(log, entry, &end);
    const std::uint64_t totalBefore = stats_.latestTotalSeconds;
    const std::uint64_t recordsBefore = stats_.recordCount;
    addWindowTime(log, entry, dated, end, extra);
    // The latest record states the total, whatever the order of the files.
    if (stats_.recordCount != recordsBefore) {
        if (dated && (!latestDated_ || end >= latestMoment_)) {
            latestDated_ = true;
            latestMoment_ = end;
        } else if (latestDated_) {
            stats_.latestTotalSeconds = totalBefore;
        }
    }
    if (dated)
        addRunTime(log, entry, end, *extra);
}

void LogSummariser::addRun(const RunHeader& run, const RunExtra& extra)
{
    const DateRange& range = options_.range;
    std::int64_t start = 0;
    const bool dated = runStartMoment(run, &start);
    const std::int64_t end =
        extra.hasLastRecord ? extra.lastRecordMoment : start + usableSeconds(run.lastRunSeconds);
    if (dated)
        lastDatedStart_ = start;
    // A run that ends at midnight does not reach into the next day.
    const std::int64_t lastDay = dayOfMoment(end > start ? end - 1 : end);
    if (range.bounded() &&
        (!dated || dayOfMoment(start) > range.lastDay || lastDay < range.firstDay))
        return;

    RunRow row;
    row.startupNumber = run.startupNumber;
    row.numbered = run.complete;
    row.dated = dated;
    row.startMoment = start;
    row.lastRecordMoment = end;
    row.runningSeconds = run.lastRunSeconds;
    row.records = run.recordCount;
    row.onlineSeconds = extra.onlineSeconds;
    row.hasSystemStart = extra.hasSystemStart;
    row.sinceSystemStartSeconds = extra.sinceSystemStartSeconds;
    row.awaySeconds = extra.awaySeconds;
    sortedRuns_.push_back(SortedRun{dated ? start : lastDatedStart_, row});
    ++stats_.startupCount;
    longestRun_ = std::max(longestRun_, run.lastRunSeconds);
    runTimeSum_ = addSaturating(runTimeSum_, run.lastRunSeconds);
    if (!range.bounded())
        stats_.runningSeconds = addSaturating(stats_.runningSeconds, run.lastRunSeconds);
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
    stats.awayCounted = !options_.away.empty();
    const auto awayOn = [&](std::int64_t day) {
        const auto found = awayDaySeconds_.find(day);
        return found == awayDaySeconds_.end() ? 0 : found->second;
    };
    if (stats.startupCount > 0) {
        stats.longestRunSeconds = longestRun_;
        stats.averageRunSeconds = runTimeSum_ / stats.startupCount;
    }
    std::stable_sort(sortedRuns_.begin(), sortedRuns_.end(),
                     [](const SortedRun& a, const SortedRun& b) { return a.moment < b.moment; });
    for (const SortedRun& run : sortedRuns_)
        stats.runs.push_back(run.row);

    // The titles' names move out of the map, so no title is held twice.
    if ((options_.tables & titleTable) != 0) {
        stats.titles.reserve(titles_.size() + 1);
        for (auto at = titles_.begin(); at != titles_.end();) {
            auto node = titles_.extract(at++);
            const Tally& own = node.mapped().own;
            if (own.periods > 0)
                stats.titles.push_back(TitleTime{std::move(node.key()), own.seconds, own.periods});
        }
        if (hidden_.periods > 0)
            stats.titles.push_back(
                TitleTime{companion_texts::hiddenTitle, hidden_.seconds, hidden_.periods});
        sortLargestFirst(stats.titles);
    }
    for (auto at = applications_.begin(); at != applications_.end();) {
        auto node = applications_.extract(at++);
        if (node.mapped().periods > 0)
            stats.applications.push_back(
                TitleTime{std::move(node.key()), node.mapped().seconds, node.mapped().periods});
    }
    sortLargestFirst(stats.applications);
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        if (categories_[i].periods == 0)
            continue;
        const std::vector<std::string>& names = options_.categories.names;
        stats.categories.push_back(
            TitleTime{i < names.size() ? names[i] : std::string(companion_texts::otherCategory),
                      categories_[i].seconds, categories_[i].periods});
    }
    sortLargestFirst(stats.categories);

    const std::map<std::int64_t, std::uint64_t> ordered(daySeconds_.begin(), daySeconds_.end());
    for (const auto& [day, seconds] : ordered)
        stats.rangeDays.push_back(DayTime{civilFromDays(day), seconds, awayOn(day)});

    if (isValidDate(options_.today)) {
        const DateRange& range = options_.range;
        const std::int64_t lastDay =
            range.lastDay == DateRange{}.lastDay ? daysFromCivil(options_.today) : range.lastDay;
        for (std::int64_t day = lastDay - (statisticsDayCount - 1); day <= lastDay; ++day) {
            const auto found = daySeconds_.find(day);
            stats.days.push_back(DayTime{
                civilFromDays(day), found == daySeconds_.end() ? 0 : found->second, awayOn(day)});
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
