#include "companions/engine/log_rows.h"

#include <algorithm>

#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/engine/record_time.h"

namespace uvlog {

namespace {

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
        return rows;
    }
    std::vector<LogRow> waiting;
    if (sources.history != nullptr) {
        addMatchingRows(sources, *sources.history, true, foldedFilter, rows, waiting);
        waiting.assign(1, LogRow{false, LogRow::fileHeading});
    }
    if (sources.log != nullptr)
        addMatchingRows(sources, *sources.log, false, foldedFilter, rows, waiting);
    return rows;
}

RowKind rowKind(const RowSources& sources, const LogRow& row)
{
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
