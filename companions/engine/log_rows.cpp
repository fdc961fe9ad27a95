#include "companions/engine/log_rows.h"

#include <algorithm>

#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/engine/record_time.h"

namespace uvlog {

namespace {

// The moment a row's time ends, for placing the away periods; false for a
// row without one.
bool rowMoment(const RowSources& sources, const LogRow& row, std::int64_t* moment)
{
    if (row.entry == LogRow::fileHeading)
        return false;
    const ParsedLog& log = row.fromHistory ? *sources.history : *sources.log;
    const LogEntry& entry = log.entries[row.entry];
    if (entry.kind == EntryKind::runHeader)
        return runStartMoment(log.runs[static_cast<std::size_t>(entry.run)], moment);
    return entry.kind == EntryKind::record && recordEndMoment(log, entry, moment);
}

const AwayPeriod& awayOf(const RowSources& sources, const LogRow& row)
{
    return sources.away->lines[row.entry];
}

std::string awayText(const AwayPeriod& away)
{
    return std::string(companion_texts::awayRow) + ' ' + away.cause;
}

// Puts the away periods (those the filter matches) among the rows.
void addAwayRows(const RowSources& sources, std::string_view filter, std::vector<LogRow>& rows)
{
    const std::vector<AwayPeriod>& lines = sources.away->lines;
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < lines.size(); ++i) {
        if (containsFolded(awayText(lines[i]), filter))
            order.push_back(i);
    }
    if (order.empty())
        return;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return lines[a].begin < lines[b].begin;
    });
    std::vector<LogRow> merged;
    merged.reserve(rows.size() + order.size());
    std::size_t next = 0;
    for (const LogRow& row : rows) {
        std::int64_t moment = 0;
        if (rowMoment(sources, row, &moment)) {
            for (; next < order.size() && lines[order[next]].begin < moment; ++next)
                merged.push_back(LogRow{false, order[next], true});
        }
        merged.push_back(row);
    }
    for (; next < order.size(); ++next)
        merged.push_back(LogRow{false, order[next], true});
    rows.swap(merged);
}

const ParsedLog& sourceOf(const RowSources& sources, const LogRow& row)
{
    return row.fromHistory ? *sources.history : *sources.log;
}

std::string headingText(const RowSources& sources, const LogRow& row)
{
    if (row.entry == LogRow::fileHeading)
        return companion_texts::readerLogHeading + ("(" + sources.logName + ")");
    const ParsedLog& log = sourceOf(sources, row);
    const LogEntry& entry = log.entries[row.entry];
    if (entry.kind == EntryKind::historyMark)
        return companion_texts::readerHistoryHeading;
    const RunHeader& run = log.runs[static_cast<std::size_t>(entry.run)];
    if (!run.complete || !run.dateValid)
        return std::string(entryText(log, entry));
    return companion_texts::readerStartupHeading + std::to_string(run.startupNumber) + "   " +
           dateText(run.startDate) + ' ' + clockText(run.startSecondOfDay);
}

// The text the filter looks at and the title column shows.
std::string_view visibleText(const RowSources& sources, const ParsedLog& log, const LogEntry& entry)
{
    const std::string_view text = entryText(log, entry);
    if (entry.kind != EntryKind::record || sources.privacy == nullptr)
        return text;
    return visibleTitle(*sources.privacy, text);
}

std::string recordTime(const ParsedLog& log, const LogEntry& entry, ReaderColumn column)
{
    std::int64_t end = 0;
    if (!recordEndMoment(log, entry, &end)) {
        // No start date to count from: the clock time the record gives.
        const std::uint32_t to = entry.clockSeconds;
        if (column == ReaderColumn::to)
            return clockText(to);
        if (column == ReaderColumn::from)
            return clockText(static_cast<std::uint32_t>(
                (to + secondsPerDay - entry.periodSeconds % secondsPerDay) % secondsPerDay));
        return std::string();
    }
    const std::int64_t start =
        end - static_cast<std::int64_t>(std::min<std::uint64_t>(entry.periodSeconds, end));
    switch (column) {
        case ReaderColumn::date:
            return dateText(civilFromDays(dayOfMoment(end)));
        case ReaderColumn::to:
            return clockText(secondOfDay(end));
        default:
            // A period that began on an earlier day says which.
            return dayOfMoment(start) == dayOfMoment(end) ? clockText(secondOfDay(start))
                                                          : momentText(start);
    }
}

std::string awayCellText(const AwayPeriod& away, ReaderColumn column)
{
    switch (column) {
        case ReaderColumn::date:
            return dateText(civilFromDays(dayOfMoment(away.end)));
        case ReaderColumn::from:
            // Like a record: a period that began on an earlier day says which.
            return dayOfMoment(away.begin) == dayOfMoment(away.end)
                       ? clockText(secondOfDay(away.begin))
                       : momentText(away.begin);
        case ReaderColumn::to:
            return clockText(secondOfDay(away.end));
        case ReaderColumn::period:
            return durationText(static_cast<std::uint64_t>(away.end - away.begin));
        case ReaderColumn::title:
            return awayText(away);
        default:
            return std::string();
    }
}

bool isHeading(const LogEntry& entry)
{
    return entry.kind == EntryKind::historyMark || entry.kind == EntryKind::runHeader;
}

void addAllRows(const ParsedLog& log, bool fromHistory, std::vector<LogRow>& rows)
{
    for (std::uint32_t i = 0; i < log.entries.size(); ++i)
        rows.push_back(LogRow{fromHistory, i});
}

// Adds the rows of one source that match. A heading waits until something
// under it matches (or it matches itself); a run heading still waiting when
// the next run begins had no match and is dropped.
void addMatchingRows(const RowSources& sources, const ParsedLog& log, bool fromHistory,
                     std::string_view filter, std::vector<LogRow>& rows,
                     std::vector<LogRow>& waiting)
{
    for (std::uint32_t i = 0; i < log.entries.size(); ++i) {
        const LogEntry& entry = log.entries[i];
        const LogRow row{fromHistory, i};
        if (entry.kind == EntryKind::runHeader && !waiting.empty() &&
            waiting.back().entry != LogRow::fileHeading &&
            log.entries[waiting.back().entry].kind == EntryKind::runHeader)
            waiting.pop_back();
        if (isHeading(entry))
            waiting.push_back(row);
        if (!containsFolded(visibleText(sources, log, entry), filter))
            continue;
        rows.insert(rows.end(), waiting.begin(), waiting.end());
        waiting.clear();
        if (!isHeading(entry))
            rows.push_back(row);
    }
}

}  // namespace

std::vector<LogRow> buildRows(const RowSources& sources, std::string_view foldedFilter)
{
    std::vector<LogRow> rows;
    if (foldedFilter.empty()) {
        if (sources.history != nullptr) {
            addAllRows(*sources.history, true, rows);
            rows.push_back(LogRow{false, LogRow::fileHeading});
        }
        if (sources.log != nullptr)
            addAllRows(*sources.log, false, rows);
        if (sources.away != nullptr)
            addAwayRows(sources, foldedFilter, rows);
        return rows;
    }
    std::vector<LogRow> waiting;
    if (sources.history != nullptr) {
        addMatchingRows(sources, *sources.history, true, foldedFilter, rows, waiting);
        waiting.assign(1, LogRow{false, LogRow::fileHeading});
    }
    if (sources.log != nullptr)
        addMatchingRows(sources, *sources.log, false, foldedFilter, rows, waiting);
    if (sources.away != nullptr)
        addAwayRows(sources, foldedFilter, rows);
    return rows;
}

RowKind rowKind(const RowSources& sources, const LogRow& row)
{
    if (row.away)
        return RowKind::away;
    if (row.entry == LogRow::fileHeading)
        return RowKind::heading;
    switch (sourceOf(sources, row).entries[row.entry].kind) {
        case EntryKind::record:
            return RowKind::record;
        case EntryKind::raw:
            return RowKind::raw;
        default:
            return RowKind::heading;
    }
}

std::string cellText(const RowSources& sources, const LogRow& row, ReaderColumn column)
{
    const RowKind kind = rowKind(sources, row);
    if (kind == RowKind::away)
        return awayCellText(awayOf(sources, row), column);
    if (kind == RowKind::heading)
        return column == ReaderColumn::number ? headingText(sources, row) : std::string();
    const ParsedLog& log = sourceOf(sources, row);
    const LogEntry& entry = log.entries[row.entry];
    if (kind == RowKind::raw)
        return column == ReaderColumn::number ? std::string(entryText(log, entry)) : std::string();
    switch (column) {
        case ReaderColumn::number:
            return std::to_string(entry.number);
        case ReaderColumn::runTime:
            return durationText(entry.runSeconds);
        case ReaderColumn::totalTime:
            return durationText(entry.totalSeconds);
        case ReaderColumn::date:
        case ReaderColumn::from:
        case ReaderColumn::to:
            return recordTime(log, entry, column);
        case ReaderColumn::period:
            return durationText(entry.periodSeconds);
        case ReaderColumn::online:
            return entry.online ? companion_texts::readerOnlineMark : "";
        case ReaderColumn::title:
            return shownName(visibleText(sources, log, entry));
    }
    return std::string();
}

}  // namespace uvlog
