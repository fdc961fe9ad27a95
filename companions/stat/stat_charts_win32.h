#pragma once
// The statistics' two charts, drawn with GDI into any device context: the
// time per window title as horizontal bars, and the running time of each of
// the last 30 days as columns.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "companions/engine/log_statistics.h"

constexpr COLORREF chartBackground = RGB(255, 255, 255);
constexpr COLORREF chartBarColour = RGB(70, 110, 190);
constexpr COLORREF chartTodayColour = RGB(200, 70, 60);

// How many titles fit in the bar chart's area.
std::size_t titleBarCount(const RECT& area);

// Where the bar of title `index` lies, for `seconds` against the largest title.
RECT titleBarRect(const RECT& area, std::size_t index, std::uint64_t seconds,
                  std::uint64_t largestSeconds);

// Where column `index` of `count` lies for `seconds`; of the 30 days, day
// `index` (0 the oldest).
RECT columnRect(const RECT& area, std::size_t index, std::size_t count, std::uint64_t seconds,
                std::uint64_t topSeconds);
RECT dayColumnRect(const RECT& area, std::size_t index, std::uint64_t seconds,
                   std::uint64_t topSeconds);

// The largest of `rows` (titles or applications) as bars under `heading`.
void paintTitleBars(HDC dc, const RECT& area, const std::vector<uvlog::TitleTime>& rows,
                    const char* heading, HFONT textFont, HFONT headingFont);

// Window time in each hour of the day, 00 to 23, as columns.
void paintHourColumns(HDC dc, const RECT& area, const uvlog::LogStatistics& stats, HFONT textFont,
                      HFONT headingFont);

void paintDayColumns(HDC dc, const RECT& area, const uvlog::LogStatistics& stats, HFONT textFont,
                     HFONT headingFont);
