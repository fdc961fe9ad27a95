#pragma once
// The rows of the log reader's table and the text of each cell: records,
// runs as heading rows, unreadable lines as raw text, the periods away in
// time order between them, and the filter.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "companions/engine/away_periods.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/privacy.h"

namespace uvlog {

// A record's date and its from and to times come from its run's start-up
// date and time and the record's run time, so a run past midnight gets the
// right dates.
enum class ReaderColumn { number, date, from, to, period, runTime, totalTime, online, title };
constexpr int readerColumnCount = 9;

enum class RowKind { heading, record, raw, away };

// The files behind the table: the history (optional) shown before the log.
struct RowSources {
    const ParsedLog* history = nullptr;
    const ParsedLog* log = nullptr;
    std::string logName;                   // the log's file name, for its heading row
    const PrivacyList* privacy = nullptr;  // titles shown as "(dolt)"
    const AwayPeriods* away = nullptr;     // yborta.dab beside the log
};

struct LogRow {
    static constexpr std::uint32_t fileHeading = 0xFFFFFFFFu;
    bool fromHistory = false;
    // Index into the source's entries, or fileHeading for the heading row that
    // opens the log after the history.
    std::uint32_t entry = fileHeading;
    bool away = false;  // `entry` indexes the away periods' lines
};

// Every row that matches the filter (folded with foldCase; empty shows all).
// A hidden title matches only as "(dolt)".
// A heading row stays when its own text or any row under it matches. Each
// away period comes before the first row that ends after it began.
std::vector<LogRow> buildRows(const RowSources& sources, std::string_view foldedFilter);

RowKind rowKind(const RowSources& sources, const LogRow& row);

// What the cell shows. Heading and raw rows put their whole text in the
// number column, which the reader draws across the row.
std::string cellText(const RowSources& sources, const LogRow& row, ReaderColumn column);

}  // namespace uvlog
