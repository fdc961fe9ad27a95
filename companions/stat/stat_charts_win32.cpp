#include "companions/stat/stat_charts_win32.h"

#include <algorithm>
#include <string>

#include "companions/companion_texts.h"
#include "companions/engine/chart_scale.h"
#include "companions/engine/log_format.h"
#include "win32/gdi_scoped_win32.h"

namespace {

namespace texts = companion_texts;

constexpr int padding = 8;
constexpr int headingHeight = 22;
constexpr int titleLineHeight = 15;
constexpr int barHeight = 11;
constexpr int barPitch = titleLineHeight + barHeight + 7;
constexpr int axisLabelWidth = 40;
constexpr int dateLabelHeight = 16;
constexpr int columnGap = 4;
constexpr COLORREF frameColour = RGB(160, 160, 160);
constexpr COLORREF gridColour = RGB(225, 225, 225);
constexpr COLORREF inkColour = RGB(0, 0, 0);
constexpr COLORREF labelColour = RGB(90, 90, 90);

RECT innerArea(const RECT& area)
{
    return RECT{area.left + padding, area.top + headingHeight + 4, area.right - padding,
                area.bottom - padding};
}

// The frame, the white ground and the heading of a chart; gives the room
// left under the heading.
RECT paintPanel(HDC dc, const RECT& area, const char* heading, HFONT headingFont)
{
    const win32::OwnedGdi<HBRUSH> ground(CreateSolidBrush(chartBackground));
    FillRect(dc, &area, ground.get());
    const win32::OwnedGdi<HBRUSH> frame(CreateSolidBrush(frameColour));
    FrameRect(dc, &area, frame.get());
    const win32::ScopedSelect font(dc, headingFont);
    RECT headingRect = {area.left + padding, area.top + 4, area.right - padding,
                        area.top + headingHeight};
    DrawTextA(dc, heading, -1, &headingRect, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return innerArea(area);
}

RECT plotArea(const RECT& area)
{
    const RECT inner = innerArea(area);
    return RECT{inner.left + axisLabelWidth, inner.top + 6, inner.right,
                inner.bottom - dateLabelHeight};
}

void fillRect(HDC dc, const RECT& rect, COLORREF colour)
{
    const win32::OwnedGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

}  // namespace

std::size_t titleBarCount(const RECT& area)
{
    const RECT inner = innerArea(area);
    const int height = inner.bottom - inner.top;
    return height < barPitch ? 0 : static_cast<std::size_t>(height / barPitch);
}

RECT titleBarRect(const RECT& area, std::size_t index, std::uint64_t seconds,
                  std::uint64_t largestSeconds)
{
    const RECT inner = innerArea(area);
    const int top = inner.top + static_cast<int>(index) * barPitch + titleLineHeight;
    const int length = uvlog::scaledLength(seconds, largestSeconds, inner.right - inner.left);
    return RECT{inner.left, top, inner.left + length, top + barHeight};
}

RECT columnRect(const RECT& area, std::size_t index, std::size_t count, std::uint64_t seconds,
                std::uint64_t topSeconds)
{
    const RECT plot = plotArea(area);
    const int slot = (plot.right - plot.left) / static_cast<int>(count);
    const int gap = std::min(columnGap, slot / 3);
    const int left = plot.left + static_cast<int>(index) * slot + gap / 2;
    const int height = uvlog::scaledLength(seconds, topSeconds, plot.bottom - plot.top);
    return RECT{left, plot.bottom - height, left + slot - gap, plot.bottom};
}

RECT dayColumnRect(const RECT& area, std::size_t index, std::uint64_t seconds,
                   std::uint64_t topSeconds)
{
    return columnRect(area, index, uvlog::statisticsDayCount, seconds, topSeconds);
}

void paintTitleBars(HDC dc, const RECT& area, const std::vector<uvlog::TitleTime>& rows,
                    const char* heading, HFONT textFont, HFONT headingFont)
{
    const int savedState = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, inkColour);
    const RECT inner = paintPanel(dc, area, heading, headingFont);
    const win32::ScopedSelect font(dc, textFont);
    if (rows.empty()) {
        RECT text = inner;
        DrawTextA(dc, texts::noData, -1, &text, DT_SINGLELINE | DT_NOPREFIX);
    }
    const std::size_t count = std::min(titleBarCount(area), rows.size());
    const std::uint64_t largest = rows.empty() ? 0 : rows.front().seconds;
    for (std::size_t i = 0; i < count; ++i) {
        const uvlog::TitleTime& title = rows[i];
        const std::string name = uvlog::shownName(title.title);
        const RECT bar = titleBarRect(area, i, title.seconds, largest);
        const std::string time = uvlog::durationText(title.seconds);
        RECT line = {inner.left, bar.top - titleLineHeight, inner.right, bar.top};
        SetTextColor(dc, labelColour);
        DrawTextA(dc, time.c_str(), -1, &line, DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX | DT_NOCLIP);
        line.right -= 70;
        SetTextColor(dc, inkColour);
        DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &line,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        fillRect(dc, bar, chartBarColour);
    }
    RestoreDC(dc, savedState);
}

namespace {

// Columns of `values` on an hour scale, each labelled where `labels` has a
// text; the `marked` column (if any) in the marking colour.
void paintColumns(HDC dc, const RECT& area, const char* heading,
                  const std::vector<std::uint64_t>& values, const std::vector<std::string>& labels,
                  std::size_t marked, HFONT textFont, HFONT headingFont)
{
    const int savedState = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, inkColour);
    paintPanel(dc, area, heading, headingFont);
    const win32::ScopedSelect font(dc, textFont);
    const RECT plot = plotArea(area);

    std::uint64_t largest = 0;
    for (const std::uint64_t value : values)
        largest = std::max(largest, value);
    const uvlog::ChartAxis axis = uvlog::hourAxis(largest);

    // Grid lines and their hour labels, from the base line up.
    {
        const win32::OwnedGdi<HPEN> grid(CreatePen(PS_SOLID, 1, gridColour));
        const win32::ScopedSelect pen(dc, grid.get());
        SetTextColor(dc, labelColour);
        for (std::uint64_t value = 0; value <= axis.topSeconds; value += axis.stepSeconds) {
            const int y =
                plot.bottom - uvlog::scaledLength(value, axis.topSeconds, plot.bottom - plot.top);
            MoveToEx(dc, plot.left, y, nullptr);
            LineTo(dc, plot.right, y);
            const std::string label = std::to_string(value / 3600) + texts::statHoursUnit;
            RECT text = {plot.left - axisLabelWidth, y - 7, plot.left - 4, y + 7};
            DrawTextA(dc, label.c_str(), -1, &text,
                      DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX | DT_NOCLIP);
            if (axis.topSeconds - value < axis.stepSeconds)
                break;
        }
    }

    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i) {
        const RECT column = columnRect(area, i, count, values[i], axis.topSeconds);
        const bool isMarked = i == marked;
        fillRect(dc, column, isMarked ? chartTodayColour : chartBarColour);
        if (i < labels.size() && !labels[i].empty()) {
            RECT text = {column.left - 14, plot.bottom + 2, column.right + 14,
                         plot.bottom + dateLabelHeight};
            SetTextColor(dc, isMarked ? chartTodayColour : labelColour);
            DrawTextA(dc, labels[i].c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX);
        }
    }
    RestoreDC(dc, savedState);
}

}  // namespace

void paintHourColumns(HDC dc, const RECT& area, const uvlog::LogStatistics& stats, HFONT textFont,
                      HFONT headingFont)
{
    const std::vector<std::uint64_t> values(stats.hours.begin(), stats.hours.end());
    // The hour under every third column: 00, 03 ... 21.
    std::vector<std::string> labels(values.size());
    for (std::size_t hour = 0; hour < labels.size(); hour += 3)
        labels[hour] = uvlog::hourText(static_cast<int>(hour)).substr(0, 2);
    paintColumns(dc, area, texts::statHourChartHeading, values, labels, values.size(), textFont,
                 headingFont);
}

void paintDayColumns(HDC dc, const RECT& area, const uvlog::LogStatistics& stats, HFONT textFont,
                     HFONT headingFont)
{
    std::vector<std::uint64_t> values;
    std::vector<std::string> labels;
    const std::size_t count = stats.days.size();
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(stats.days[i].seconds);
        // A date under every fifth day, counted back from today.
        labels.push_back((count - 1 - i) % 5 == 0 ? uvlog::dateText(stats.days[i].date).substr(5)
                                                  : std::string());
    }
    paintColumns(dc, area, texts::statDayChartHeading, values, labels, count - 1, textFont,
                 headingFont);
}
