#include "companions/engine/log_report.h"

#include <cstdio>

#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"

namespace uvlog {

namespace {

namespace texts = companion_texts;

void addTotal(std::string& report, const char* label, const std::string& value)
{
    char line[160];
    std::snprintf(line, sizeof line, "%-40s %s\n", (std::string(label) + ":").c_str(),
                  value.c_str());
    report += line;
}

// Right-set columns of the given widths, then the free text at the end.
void addRow(std::string& report, std::initializer_list<std::pair<std::string, int>> cells,
            const std::string& last)
{
    char cell[96];
    for (const auto& [text, width] : cells) {
        std::snprintf(cell, sizeof cell, "%*s ", width, text.c_str());
        report += cell;
    }
    report += ' ';
    report += last;
    while (report.back() == ' ')
        report.pop_back();
    report += '\n';
}

void addHeading(std::string& report, const char* heading)
{
    report += '\n';
    report += heading;
    report += '\n';
}

void addNamedTable(std::string& report, const char* heading, const char* nameColumn,
                   const std::vector<TitleTime>& rows, std::uint64_t whole)
{
    addHeading(report, heading);
    addRow(report, {{texts::timeColumn, 14}, {texts::shareColumn, 8}, {texts::periodsColumn, 9}},
           nameColumn);
    if (rows.empty())
        report += std::string("  ") + texts::noData + "\n";
    for (const TitleTime& row : rows)
        addRow(report,
               {{durationText(row.seconds), 14},
                {shareText(row.seconds, whole), 8},
                {groupedNumber(row.periods), 9}},
               shownName(row.title));
}

void addDayTable(std::string& report, const std::vector<DayTime>& days)
{
    addHeading(report, texts::dayTableHeading);
    addRow(report, {{texts::dateColumn, 10}, {texts::runningColumn, 14}}, "");
    if (days.empty())
        report += std::string("  ") + texts::noData + "\n";
    for (const DayTime& day : days)
        addRow(report, {{dateText(day.date), 10}, {durationText(day.seconds), 14}}, "");
}

void addHourTable(std::string& report, const LogStatistics& stats)
{
    addHeading(report, texts::hourTableHeading);
    addRow(report, {{texts::hourColumn, 5}, {texts::timeColumn, 14}, {texts::shareColumn, 8}}, "");
    for (int hour = 0; hour < 24; ++hour) {
        const std::uint64_t seconds = stats.hours[static_cast<std::size_t>(hour)];
        addRow(report,
               {{hourText(hour), 5},
                {durationText(seconds), 14},
                {shareText(seconds, stats.windowSeconds), 8}},
               "");
    }
}

void addRunTable(std::string& report, const std::vector<RunRow>& runs)
{
    addHeading(report, texts::runTableHeading);
    addRow(report,
           {{texts::startupColumn, 11},
            {texts::startColumn, 19},
            {texts::lastRecordColumn, 19},
            {texts::runningColumn, 12},
            {texts::recordsColumn, 8},
            {texts::onlineColumn, 10}},
           texts::systemStartColumn);
    if (runs.empty())
        report += std::string("  ") + texts::noData + "\n";
    for (const RunRow& run : runs)
        addRow(report,
               {{runNumberText(run), 11},
                {runStartText(run), 19},
                {runLastRecordText(run), 19},
                {durationText(run.runningSeconds), 12},
                {groupedNumber(run.records), 8},
                {durationText(run.onlineSeconds), 10}},
               run.hasSystemStart ? durationText(run.sinceSystemStartSeconds) : "");
}

}  // namespace

std::string rangeText(const DateRange& range)
{
    if (!range.bounded())
        return texts::rangeAll;
    const DateRange all;
    std::string text =
        range.firstDay != all.firstDay ? dateText(civilFromDays(range.firstDay)) : "";
    text += texts::rangeTo;
    if (range.lastDay != all.lastDay)
        text += dateText(civilFromDays(range.lastDay));
    const std::size_t first = text.find_first_not_of(' ');
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::string statisticsReport(const LogStatistics& stats, bool everything, Grouping grouping,
                             const std::string& range)
{
    std::string report = texts::reportHeading;
    report += "\n";
    addTotal(report, texts::rangeLabel, range);
    if (everything) {
        report += '\n';
        addTotal(report, texts::startupsLabel, groupedNumber(stats.startupCount));
        addTotal(report, texts::longestRunLabel, durationText(stats.longestRunSeconds));
        addTotal(report, texts::averageRunLabel, durationText(stats.averageRunSeconds));
        addTotal(report, texts::runningTimeLabel, durationText(stats.runningSeconds));
        addTotal(report, texts::latestTotalLabel, durationText(stats.latestTotalSeconds));
        addTotal(report, texts::onlineTimeLabel, durationText(stats.onlineSeconds));
        const bool known = !stats.runs.empty() && stats.runs.back().hasSystemStart;
        addTotal(report, texts::beforeStartLabel,
                 known ? durationText(stats.runs.back().sinceSystemStartSeconds) : "");
        addTotal(report, texts::recordsLabel, groupedNumber(stats.recordCount));
        addTotal(report, texts::rawLinesLabel, groupedNumber(stats.rawLineCount));
    }
    if (everything || grouping == Grouping::title)
        addNamedTable(report, texts::titleTableHeading, texts::titleColumn, stats.titles,
                      stats.windowSeconds);
    if (grouping == Grouping::application && !everything)
        addNamedTable(report, texts::applicationTableHeading, texts::applicationColumn,
                      stats.applications, stats.windowSeconds);
    if (grouping == Grouping::category && !everything)
        addNamedTable(report, texts::categoryTableHeading, texts::categoryColumn, stats.categories,
                      stats.windowSeconds);
    if (everything || grouping == Grouping::day)
        addDayTable(report, stats.rangeDays);
    if (grouping == Grouping::hour && !everything)
        addHourTable(report, stats);
    if (grouping == Grouping::run && !everything)
        addRunTable(report, stats.runs);
    return report;
}

}  // namespace uvlog
