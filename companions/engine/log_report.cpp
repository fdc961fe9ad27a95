#include "companions/engine/log_report.h"

#include <cstdio>

#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_table.h"

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
    // Without a grouping: the titles and the days.
    if (everything) {
        StatisticsTable(stats, Grouping::title).appendReport(report);
        StatisticsTable(stats, Grouping::day).appendReport(report);
    } else {
        StatisticsTable(stats, grouping).appendReport(report);
    }
    return report;
}

}  // namespace uvlog
