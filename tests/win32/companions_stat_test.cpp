// The statistics window under Wine: the data of the working directory in the
// totals and the table, the charts' bars, and the CSV copy and file.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/stat/stat_charts_win32.h"
#include "companions/stat/stat_window_win32.h"
#include "companions/testing/sample_log.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"

namespace {

using companion_test::controlText;
using companion_test::listCellText;
using companion_test::listCount;

uvlog::CalendarDate today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

uvlog::CalendarDate daysAgo(int days)
{
    return uvlog::civilFromDays(uvlog::daysFromCivil(today()) - days);
}

std::string record(std::uint64_t number, std::uint64_t runSeconds, std::uint64_t period,
                   const std::string& title, bool online = false)
{
    return uvlog::sampleRecordLine(number, runSeconds, 7200 + runSeconds, 9 * 3600, period, online,
                                   title) +
           "\r\n";
}

class Statistics : public ::testing::Test {
protected:
    void SetUp() override
    {
        companion::initCommonControls();
        statState = StatState{};
        ASSERT_TRUE(registerStatClass(GetModuleHandleA(nullptr)));
        // Two hours yesterday in the history, one today in the log.
        directory.write("yhist.dab",
                        "HISTORIA\r\n" + uvlog::sampleHeaderLines(daysAgo(1), 8 * 3600, 1) +
                            record(1, 0, 300, "WINDOWS") + record(2, 5400, 5400, "Kalkyl") +
                            record(3, 7200, 1800, "Post"));
        directory.write("ytime.dab", uvlog::sampleHeaderLines(today(), 0, 2) +
                                         record(1, 0, 120, "WINDOWS") +
                                         record(2, 2400, 2400, "Kalkyl", true) +
                                         record(3, 3600, 1200, "Post") + "trasig\r\n");
        window = createStatWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        companion_test::closeWindow(window);
        UnregisterClassA("UravikStatistik", GetModuleHandleA(nullptr));
    }
    std::string total(int index) const { return controlText(window, statValueFirst + index); }

    companion_test::TemporaryWorkingDirectory directory;
    HWND window = nullptr;
};

// Paints into a 32-bit memory bitmap of the window's client size and reads
// pixels from it.
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 900;
        info.bmiHeader.biHeight = -640;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(Statistics, TheTotalsAreThoseOfTheWorkingDirectory)
{
    EXPECT_EQ(total(0), "2");        // start-ups
    EXPECT_EQ(total(1), "2:00:00");  // longest run
    EXPECT_EQ(total(2), "1:30:00");  // average run
    EXPECT_EQ(total(3), "3:00:00");  // running time
    EXPECT_EQ(total(4), "3:00:00");  // total of the latest record
    EXPECT_EQ(total(5), "0:40:00");  // on line
    EXPECT_EQ(total(6), "0:02:00");  // from system start to the latest run, never a sum
    EXPECT_EQ(total(7), "6 (1 ol\xE4sbar rad)");
}

TEST_F(Statistics, EachViewListsItsOwnTableLargestFirst)
{
    const std::string yesterday = uvlog::dateText(daysAgo(1));
    const struct {
        uvlog::Grouping view;
        int rows;
        int row, column;
        std::string text;
    } cases[] = {
        {uvlog::Grouping::application, 2, 0, 0, "Kalkyl"},
        {uvlog::Grouping::day, 2, 0, 0, yesterday},
        {uvlog::Grouping::day, 2, 1, 1, "1:00:00"},
        {uvlog::Grouping::run, 2, 0, 1, yesterday + " 08:00:00"},
        {uvlog::Grouping::run, 2, 0, 2, yesterday + " 10:00:00"},
        {uvlog::Grouping::run, 2, 0, 6, "0:05:00"},
        {uvlog::Grouping::run, 2, 1, 6, "0:02:00"},
        {uvlog::Grouping::title, 2, 0, 0, "Kalkyl"},  // largest first
        {uvlog::Grouping::title, 2, 0, 1, "2:10:00"},
        {uvlog::Grouping::title, 2, 0, 2, "72,2 %"},
        {uvlog::Grouping::title, 2, 0, 3, "2"},
        {uvlog::Grouping::title, 2, 1, 0, "Post"},
    };
    for (const auto& c : cases) {
        SendMessageA(statState.view, CB_SETCURSEL, static_cast<WPARAM>(c.view), 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(statView, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(statState.view));
        ASSERT_EQ(listCount(statState.table), c.rows) << static_cast<int>(c.view);
        EXPECT_EQ(listCellText(statState.table, c.row, c.column), c.text)
            << static_cast<int>(c.view) << " " << c.row << " " << c.column;
    }
}

TEST_F(Statistics, APeriodLimitsTotalsAndTables)
{
    SendMessageA(statState.rangeBox, CB_SETCURSEL, static_cast<WPARAM>(StatRange::today), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(statRange, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(statState.rangeBox));
    EXPECT_EQ(total(0), "1");
    EXPECT_EQ(listCellText(statState.table, 0, 1), "0:40:00");

    SendMessageA(statState.rangeBox, CB_SETCURSEL, static_cast<WPARAM>(StatRange::dates), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(statRange, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(statState.rangeBox));
    const std::string yesterday = uvlog::dateText(daysAgo(1));
    SetWindowTextA(statState.fromEdit, yesterday.c_str());
    SetWindowTextA(statState.toEdit, yesterday.c_str());
    ASSERT_TRUE(refreshStatistics());
    EXPECT_EQ(total(0), "1");
    EXPECT_EQ(listCellText(statState.table, 0, 1), "1:30:00");
    SetWindowTextA(statState.toEdit, "i g\xE5r");
    EXPECT_FALSE(refreshStatistics()) << "a date that is not one";
    EXPECT_EQ(total(0), "1");
}

TEST_F(Statistics, BarsAndColumnsAreDrawnToScale)
{
    Canvas canvas;
    paintTitleBars(canvas.dc(), statBarChartArea, statState.stats.titles, "F\xF6nster",
                   companion::dialogFont(), statState.headingFont);
    paintDayColumns(canvas.dc(), statDayChartArea, statState.stats, companion::dialogFont(),
                    statState.headingFont);

    const RECT first = titleBarRect(statBarChartArea, 0, 7800, 7800);
    const RECT second = titleBarRect(statBarChartArea, 1, 3000, 7800);
    EXPECT_EQ(canvas.at(first.right - 1, first.top + 2), chartBarColour);
    EXPECT_EQ(canvas.at(second.right - 1, second.top + 2), chartBarColour);
    EXPECT_EQ(canvas.at(second.right + 1, second.top + 2), chartBackground);
    EXPECT_LT(second.right - second.left, (first.right - first.left) / 2);

    // Yesterday two hours, today one: the axis tops at 2 hours.
    const RECT yesterday = dayColumnRect(statDayChartArea, 28, 7200, 7200);
    const RECT todays = dayColumnRect(statDayChartArea, 29, 3600, 7200);
    EXPECT_EQ(canvas.at(yesterday.left + 2, yesterday.top + 1), chartBarColour);
    EXPECT_EQ(canvas.at(todays.left + 2, todays.top + 1), chartTodayColour);
    EXPECT_NE(canvas.at(todays.left + 2, todays.top - 2), chartTodayColour);
    const RECT empty = dayColumnRect(statDayChartArea, 10, 0, 7200);
    EXPECT_NE(canvas.at(empty.left + 2, empty.bottom - 2), chartBarColour);
}

TEST_F(Statistics, TheTableGoesOutAsCsv)
{
    const std::string expected = uvlog::tableCsv(statState.stats, uvlog::Grouping::title);
    ASSERT_EQ(expected.substr(0, 23), "F\xF6nster ovanf\xF6r Uravik;");

    ASSERT_TRUE(saveTableAs("tabell.csv"));
    directory.remember("tabell.csv");
    std::ifstream file("tabell.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), expected);

    ASSERT_TRUE(copyTableToClipboard());
    ASSERT_TRUE(OpenClipboard(window));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(data))), expected);
    GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(Statistics, RefreshReadsTheFilesAgain)
{
    directory.write("ytime.dab", record(4, 4000, 400, "Ny", false), true);
    SendMessageA(window, WM_COMMAND, statRefresh, 0);
    EXPECT_EQ(listCount(statState.table), 3);
}

}  // namespace
