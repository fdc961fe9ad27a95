#include "companions/engine/log_report.h"

#include <algorithm>
#include <cstdio>

#include "companions/companion_texts.h"
#include "companions/engine/log_format.h"

namespace uvlog {

namespace {

namespace texts = companion_texts;

void addTotal(std::string& report, const char* label, const std::string& value)
{
    char line[160];
    std::snprintf(line, sizeof line, "%-32s %s\n", (std::string(label) + ":").c_str(),
                  value.c_str());
    report += line;
}

}  // namespace

std::string statisticsReport(const LogStatistics& stats, std::size_t topTitles)
{
    std::string report = texts::reportHeading;
    report += "\n\n";
    addTotal(report, texts::startupsLabel, groupedNumber(stats.startupCount));
    addTotal(report, texts::longestRunLabel, durationText(stats.longestRunSeconds));
    addTotal(report, texts::averageRunLabel, durationText(stats.averageRunSeconds));
    addTotal(report, texts::runningTimeLabel, durationText(stats.runningSeconds));
    addTotal(report, texts::latestTotalLabel, durationText(stats.latestTotalSeconds));
    addTotal(report, texts::onlineTimeLabel, durationText(stats.onlineSeconds));
    addTotal(report, texts::beforeStartLabel, durationText(stats.beforeStartSeconds));
    addTotal(report, texts::recordsLabel, groupedNumber(stats.recordCount));
    addTotal(report, texts::rawLinesLabel, groupedNumber(stats.rawLineCount));

    report += '\n';
    report += texts::titleTableHeading;
    report += '\n';
    char line[64];
    std::snprintf(line, sizeof line, "%14s %8s %8s  ", texts::timeColumn, texts::shareColumn,
                  texts::periodsColumn);
    report += line;
    report += texts::titleColumn;
    report += '\n';
    if (stats.titles.empty())
        report += std::string("  ") + texts::noData + "\n";
    const std::size_t shown =
        topTitles == 0 ? stats.titles.size() : std::min(topTitles, stats.titles.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const TitleTime& row = stats.titles[i];
        std::snprintf(line, sizeof line, "%14s %8s %8s  ", durationText(row.seconds).c_str(),
                      shareText(row.seconds, stats.windowSeconds).c_str(),
                      std::to_string(row.periods).c_str());
        report += line;
        report += row.title;
        report += '\n';
    }
    if (shown < stats.titles.size())
        report += "  ... " + groupedNumber(stats.titles.size() - shown) + ' ' +
                  texts::reportMoreTitles + '\n';

    report += '\n';
    report += texts::dayTableHeading;
    report += '\n';
    for (const DayTime& day : stats.days) {
        std::snprintf(line, sizeof line, "%s %14s\n", dateText(day.date).c_str(),
                      durationText(day.seconds).c_str());
        report += line;
    }
    return report;
}

}  // namespace uvlog
