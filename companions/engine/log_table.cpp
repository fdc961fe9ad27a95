#include "companions/engine/log_table.h"

#include <cstdio>
#include <cstring>

#include "companions/companion_texts.h"
#include "companions/engine/log_format.h"

namespace uvlog {

namespace texts = companion_texts;

const GroupingName groupingNames[6] = {
    {Grouping::title, "title", texts::statViewChoices[0]},
    {Grouping::application, "app", texts::statViewChoices[1]},
    {Grouping::category, "category", texts::statViewChoices[2]},
    {Grouping::day, "day", texts::statViewChoices[3]},
    {Grouping::hour, "hour", texts::statViewChoices[4]},
    {Grouping::run, "run", texts::statViewChoices[5]},
};

bool groupingOfOption(const std::string& word, Grouping* grouping)
{
    for (const GroupingName& name : groupingNames) {
        if (word == name.option) {
            *grouping = name.grouping;
            return true;
        }
    }
    return false;
}

const std::vector<TitleTime>& namedRows(const LogStatistics& stats, Grouping grouping)
{
    switch (grouping) {
        case Grouping::application:
            return stats.applications;
        case Grouping::category:
            return stats.categories;
        default:
            return stats.titles;
    }
}

namespace {

// The time per name: titles, applications and categories.
std::vector<TableColumn> namedColumns(const char* nameCaption)
{
    return {{nameCaption, CellKind::name, 0},
            {texts::timeColumn, CellKind::duration, 14},
            {texts::shareColumn, CellKind::share, 8},
            {texts::periodsColumn, CellKind::count, 9}};
}

TableCell named(std::string text)
{
    TableCell cell;
    cell.text = std::move(text);
    return cell;
}

TableCell number(std::uint64_t value, bool present = true)
{
    TableCell cell;
    cell.value = value;
    cell.present = present;
    return cell;
}

}  // namespace

StatisticsTable::StatisticsTable(const LogStatistics& stats, Grouping grouping)
    : StatisticsTable(stats, grouping, stats.rangeDays)
{
}

StatisticsTable StatisticsTable::chartDays(const LogStatistics& stats)
{
    return StatisticsTable(stats, Grouping::day, stats.days);
}

StatisticsTable::StatisticsTable(const LogStatistics& stats, Grouping grouping,
                                 const std::vector<DayTime>& days)
    : stats_(stats), grouping_(grouping), days_(days)
{
    switch (grouping) {
        case Grouping::title:
            heading_ = texts::titleTableHeading;
            columns_ = namedColumns(texts::titleColumn);
            break;
        case Grouping::application:
            heading_ = texts::applicationTableHeading;
            columns_ = namedColumns(texts::applicationColumn);
            break;
        case Grouping::category:
            heading_ = texts::categoryTableHeading;
            columns_ = namedColumns(texts::categoryColumn);
            break;
        case Grouping::day:
            heading_ = texts::dayTableHeading;
            columns_ = {{texts::dateColumn, CellKind::name, 10},
                        {texts::runningColumn, CellKind::duration, 14}};
            if (stats.awayCounted)
                columns_.push_back({texts::awayColumn, CellKind::duration, 14});
            break;
        case Grouping::hour:
            heading_ = texts::hourTableHeading;
            // Wide enough for "(borta)" when that row is there.
            columns_ = {{texts::hourColumn, CellKind::name,
                         stats.awaySeconds > 0 ? static_cast<int>(std::strlen(texts::awayRow)) : 5},
                        {texts::timeColumn, CellKind::duration, 14},
                        {texts::shareColumn, CellKind::share, 8}};
            break;
        case Grouping::run:
            heading_ = texts::runTableHeading;
            columns_ = {{texts::startupColumn, CellKind::name, 11},
                        {texts::startColumn, CellKind::text, 19},
                        {texts::lastRecordColumn, CellKind::text, 19},
                        {texts::runningColumn, CellKind::duration, 12},
                        {texts::recordsColumn, CellKind::count, 8},
                        {texts::onlineColumn, CellKind::duration, 10},
                        {texts::systemStartColumn, CellKind::duration, 0}};
            // Last, so the CSV's columns before it keep their places.
            if (stats.awayCounted)
                columns_.push_back({texts::awayColumn, CellKind::duration, 10});
            break;
    }
}

bool StatisticsTable::hasAwayRow() const
{
    return stats_.awaySeconds > 0 && grouping_ != Grouping::day && grouping_ != Grouping::run;
}

std::uint64_t StatisticsTable::shareBase() const
{
    return stats_.windowSeconds + stats_.awaySeconds;
}

std::size_t StatisticsTable::rowCount() const
{
    switch (grouping_) {
        case Grouping::day:
            return days_.size();
        case Grouping::hour:
            return stats_.hours.size() + (hasAwayRow() ? 1 : 0);
        case Grouping::run:
            return stats_.runs.size();
        default:
            return namedRows(stats_, grouping_).size() + (hasAwayRow() ? 1 : 0);
    }
}

TableCell StatisticsTable::cell(std::size_t row, std::size_t column) const
{
    if (hasAwayRow() && row + 1 == rowCount()) {
        if (column == 0)
            return named(texts::awayRow);
        return number(column == 3 ? stats_.awayPeriods : stats_.awaySeconds);
    }
    switch (grouping_) {
        case Grouping::day: {
            const DayTime& day = days_[row];
            if (column == 0)
                return named(dateText(day.date));
            return number(column == 1 ? day.seconds : day.awaySeconds);
        }
        case Grouping::hour:
            return column == 0 ? named(hourText(static_cast<int>(row))) : number(stats_.hours[row]);
        case Grouping::run: {
            const RunRow& run = stats_.runs[row];
            switch (column) {
                case 0:
                    return named(runNumberText(run));
                case 1:
                    return named(runStartText(run));
                case 2:
                    return named(runLastRecordText(run));
                case 3:
                    return number(run.runningSeconds);
                case 4:
                    return number(run.records);
                case 5:
                    return number(run.onlineSeconds);
                case 7:
                    return number(run.awaySeconds);
                default:
                    return number(run.sinceSystemStartSeconds, run.hasSystemStart);
            }
        }
        default: {
            const TitleTime& title = namedRows(stats_, grouping_)[row];
            if (column == 0)
                return named(shownName(title.title));
            return number(column == 3 ? title.periods : title.seconds);
        }
    }
}

std::string StatisticsTable::cellText(std::size_t row, std::size_t column) const
{
    const TableCell value = cell(row, column);
    if (!value.present)
        return std::string();
    switch (columns_[column].kind) {
        case CellKind::duration:
            return durationText(value.value);
        case CellKind::share:
            return shareText(value.value, shareBase());
        case CellKind::count:
            return groupedNumber(value.value);
        default:
            return value.text;
    }
}

std::vector<std::size_t> StatisticsTable::csvOrder() const
{
    // The name, then the first duration, then the rest in their order.
    std::vector<std::size_t> order{0};
    std::size_t firstDuration = 0;
    for (std::size_t i = 1; i < columns_.size() && firstDuration == 0; ++i) {
        if (columns_[i].kind == CellKind::duration)
            firstDuration = i;
    }
    if (firstDuration != 0)
        order.push_back(firstDuration);
    for (std::size_t i = 1; i < columns_.size(); ++i) {
        if (i != firstDuration)
            order.push_back(i);
    }
    return order;
}

std::string StatisticsTable::csv() const
{
    const std::vector<std::size_t> order = csvOrder();
    std::string csv;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const TableColumn& column = columns_[order[i]];
        if (i > 0)
            csv += ';';
        csv += column.caption;
        if (column.kind == CellKind::duration)
            csv += i == 1 ? std::string(";") + texts::csvSecondsCaption
                          : std::string(";") + column.caption + texts::csvSecondsSuffix;
        else if (column.kind == CellKind::share)
            csv += texts::csvShareSuffix;
    }
    csv += "\r\n";
    // Piece by piece: a table may have a row for each of a million titles.
    const std::size_t rows = rowCount();
    csv.reserve(csv.size() + rows * 64);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i > 0)
                csv += ';';
            const TableCell value = cell(row, order[i]);
            switch (columns_[order[i]].kind) {
                case CellKind::name:
                    csv += csvField(value.text);
                    break;
                case CellKind::text:
                    csv += value.text;
                    break;
                case CellKind::duration:
                    if (value.present) {
                        csv += durationText(value.value);
                        csv += ';';
                        csv += std::to_string(value.value);
                    } else {
                        csv += ';';
                    }
                    break;
                case CellKind::share:
                    csv += shareNumberText(value.value, shareBase());
                    break;
                case CellKind::count:
                    csv += std::to_string(value.value);
                    break;
            }
        }
        csv += "\r\n";
    }
    return csv;
}

namespace {

// Right-set columns of the given widths, then the free text at the end.
void addReportRow(std::string& report, const std::vector<std::pair<std::string, int>>& cells,
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

}  // namespace

void StatisticsTable::appendReport(std::string& report) const
{
    report += '\n';
    report += heading_;
    report += '\n';
    // The columns in their widths; the one without a width ends the line.
    const auto row = [&](auto textOf) {
        std::vector<std::pair<std::string, int>> cells;
        std::string last;
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (columns_[i].reportWidth == 0)
                last = textOf(i);
            else
                cells.emplace_back(textOf(i), columns_[i].reportWidth);
        }
        addReportRow(report, cells, last);
    };
    row([&](std::size_t i) { return std::string(columns_[i].caption); });
    const std::size_t rows = rowCount();
    if (rows == 0)
        report += std::string("  ") + texts::noData + "\n";
    for (std::size_t r = 0; r < rows; ++r)
        row([&](std::size_t i) { return cellText(r, i); });
}

}  // namespace uvlog
