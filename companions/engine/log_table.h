#pragma once
// The companions' tables written once: for each grouping its columns (with
// their captions), its rows and the text of every cell. The statistics
// window, the text report and the CSV export all render this model, so a
// grouping is added here and shows the same everywhere.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "companions/engine/log_statistics.h"

namespace uvlog {

// Every grouping's names: the word of the command lines and the choice of
// the statistics window's view box, in the order of Grouping.
struct GroupingName {
    Grouping grouping;
    const char* option;  // uvreport --by and uvstat.lib's first argument
    const char* view;    // the statistics window's view box
};
extern const GroupingName groupingNames[6];

// The grouping a command-line word names; false for any other word.
bool groupingOfOption(const std::string& word, Grouping* grouping);

// The rows of a grouping by name: titles, applications or categories
// (titles for any other grouping).
const std::vector<TitleTime>& namedRows(const LogStatistics& stats, Grouping grouping);

// How a column's values read. A duration is H:MM:SS (and in CSV its seconds
// too), a share a per cent of the window time, a count digits in groups.
enum class CellKind { name, text, duration, share, count };

struct TableColumn {
    const char* caption;
    CellKind kind;
    // Characters in the text report; 0 for the column the report gives the
    // rest of the line.
    int reportWidth;
};

struct TableCell {
    std::string text;  // a name or a text cell as shown
    std::uint64_t value = 0;
    bool present = true;  // false: an empty cell
};

class StatisticsTable {
public:
    StatisticsTable(const LogStatistics& stats, Grouping grouping);
    // The 30 days of the chart, as the day table shows days.
    static StatisticsTable chartDays(const LogStatistics& stats);

    const char* heading() const { return heading_; }
    const std::vector<TableColumn>& columns() const { return columns_; }
    std::size_t rowCount() const;
    TableCell cell(std::size_t row, std::size_t column) const;
    // The cell as the window and the report show it.
    std::string cellText(std::size_t row, std::size_t column) const;

    // ";" between fields, CR LF line ends: the name, the first duration as
    // H:MM:SS and in seconds, then the other columns, each duration in both
    // forms and a share as its number. The header is built from the captions.
    std::string csv() const;
    // The heading, the captions and the rows, right-set in their widths.
    void appendReport(std::string& report) const;

private:
    StatisticsTable(const LogStatistics& stats, Grouping grouping,
                    const std::vector<DayTime>& days);
    std::vector<std::size_t> csvOrder() const;
    // The row "(borta)" after the names or hours: there is time away.
    bool hasAwayRow() const;
    // What the shares are of: the windows' time with the time away.
    std::uint64_t shareBase() const;

    const LogStatistics& stats_;
    Grouping grouping_;
    const std::vector<DayTime>& days_;
    const char* heading_ = "";
    std::vector<TableColumn> columns_;
};

}  // namespace uvlog
