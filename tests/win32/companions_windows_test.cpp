// The companions' windows under Wine, each on the files of a working
// directory of its own: the about box (the version from the resource, the
// folder and the data files' sizes; OK and Escape close it), the log reader
// (a 4 MB log, the history, the filter and a log that grows while it is
// open) and the statistics (the totals and each view's table, a period, the
// charts' bars, the CSV copy and file, the time away).

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <tuple>

#include "companions/about/about_window_win32.h"
#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/reader/reader_window_win32.h"
#include "companions/stat/stat_charts_win32.h"
#include "companions/stat/stat_window_win32.h"
#include "companions/testing/sample_log.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/gdi_scoped_win32.h"
#include "win32/window_basics_win32.h"

namespace {

using namespace companion_test;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

uvlog::CalendarDate daysAgo(int days)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return uvlog::civilFromDays(uvlog::daysFromCivil({now.wYear, now.wMonth, now.wDay}) - days);
}

// A record of a run that started at `start` o'clock, written at its clock time.
std::string record(std::uint32_t start, std::uint64_t number, std::uint64_t runSeconds,
                   std::uint64_t period, const std::string& title, bool online = false)
{
    const auto clock = static_cast<std::uint32_t>((start + runSeconds) % 86400);
    return uvlog::sampleRecordLine(number, runSeconds, 7200 + runSeconds, clock, period, online,
                                   title) +
           "\r\n";
}

// A companion's window class, registered for a case that runs in a working
// directory of its own; the window is closed and the class unregistered after.
template <const char* const& className, bool (*registerClass)(HINSTANCE)>
class CompanionWindow : public ::testing::Test {
protected:
    CompanionWindow()
    {
        companion::initCommonControls();
        EXPECT_TRUE(registerClass(GetModuleHandleA(nullptr))) << className;
    }
    ~CompanionWindow() override
    {
        companion_test::closeWindow(window);
        UnregisterClassA(className, GetModuleHandleA(nullptr));
    }

    companion_test::TemporaryWorkingDirectory directory;
    HWND window = nullptr;
};

using About = CompanionWindow<companion_texts::aboutClass, registerAboutClass>;

TEST_F(About, ItShowsTheVersionTheFolderAndTheFileSizesAndOkAndEscapeClose)
{
    directory.write("ysave.dab", std::string(131, 'x'));
    directory.write("ytime.dab", std::string(1234567, 'x'));
    for (const WPARAM button : {IDOK, IDCANCEL}) {
        aboutState = AboutState{};
        window = createAboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        EXPECT_EQ(controlText(window, aboutVersionText), "Version " URAVIK_VERSION);
        EXPECT_EQ(controlText(window, aboutFolderText), directory.path());
        EXPECT_EQ(controlText(window, aboutFileFirst + 0), "131 byte");
        EXPECT_EQ(controlText(window, aboutFileFirst + 1), "1 234 567 byte");
        EXPECT_EQ(controlText(window, aboutFileFirst + 2), "saknas");
        if (button == IDOK) {
            SendMessageA(window, WM_COMMAND, button, 0);
        } else {
            // Escape reaches the box as a dialog key of the message loop.
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
            PostQuitMessage(0);
            win32::runMessageLoop(window);
        }
        EXPECT_FALSE(IsWindow(window)) << button;
        companion_test::closeWindow(window);
    }
}

class Reader : public CompanionWindow<companion_texts::readerClass, registerReaderClass> {
protected:
    Reader() { readerState = ReaderState{}; }
    void open(const char* path = "ytime.dab")
    {
        companion_test::closeWindow(window);
        window = createReaderWindow(GetModuleHandleA(nullptr), path, SW_SHOWNORMAL);
    }
    static bool lastRowInView()
    {
        const HWND list = readerState.list;
        return ListView_GetTopIndex(list) + ListView_GetCountPerPage(list) >=
               ListView_GetItemCount(list);
    }
};

// A run's header at 08:00 and its records, a minute apart.
std::string run(uvlog::CalendarDate date, std::uint64_t startup,
                std::initializer_list<const char*> titles)
{
    std::string text = uvlog::sampleHeaderLines(date, 8 * 3600, startup);
    for (std::uint64_t number = 1; number <= titles.size(); ++number)
        text += record(8 * 3600, number, number * 60, 60, titles.begin()[number - 1]);
    return text;
}

TEST_F(Reader, AFourMegabyteLogOpensWithItsNewestRecordsInView)
{
    directory.write("ytime.dab", uvlog::makeSampleLog({}));  // 100 runs of 250 records

    open();

    EXPECT_EQ(ListView_GetItemCount(readerState.list), 100 + 100 * 250);
    EXPECT_TRUE(lastRowInView()) << "the newest records are in view";
    EXPECT_EQ(listColumn(readerState.list, 8).at(1), "WINDOWS");
    EXPECT_THAT(companion::windowText(readerState.status), StartsWith("25 100 rader"));
}

TEST_F(Reader, TheHistoryComesFirstCanBeHiddenAndOpensByNameAndTheFilterKeepsRowsUnderTheirRuns)
{
    directory.write("yhist.dab", "HISTORIA\r\n" + run({2024, 3, 1}, 56, {"WINDOWS"}));
    directory.write("ytime.dab",
                    run({2024, 3, 7}, 57, {"WINDOWS", "Kalkyl - budget", "Anteckningar"}) +
                        run({2024, 3, 8}, 58, {"WINDOWS", "Anteckningar"}));
    open();
    EXPECT_THAT(
        listColumn(readerState.list, 0),
        ElementsAre("HISTORIA (yhist.dab)", _, _, "TIDLISTA (ytime.dab)", _, _, _, _, _, _, _));
    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 7);
    SetWindowTextA(readerState.filterEdit, "KALKYL");
    EXPECT_THAT(listColumn(readerState.list, 8), ElementsAre(_, "Kalkyl - budget"));
    EXPECT_THAT(companion::windowText(readerState.status), HasSubstr("2 av 7 rader"));
    SetWindowTextA(readerState.filterEdit, "");
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 7);
    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 11);

    open("yhist.dab");
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 3);
    EXPECT_FALSE(IsWindowEnabled(readerState.historyBox));
}

TEST_F(Reader, ItWaitsForTheLogFollowsItsGrowthAndShowsTornLinesAsText)
{
    open();
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 0);
    EXPECT_THAT(companion::windowText(readerState.status), HasSubstr("ytime.dab"));
    directory.write("ytime.dab", run({2024, 3, 7}, 57, {"WINDOWS"}));
    followLogFiles();
    ASSERT_EQ(ListView_GetItemCount(readerState.list), 2);

    const std::string next = record(8 * 3600, 2, 120, 60, "Namnl\xF6s - Anteckningar");
    directory.write("ytime.dab", next.substr(0, 30), true);
    followLogFiles();
    EXPECT_THAT(listColumn(readerState.list, 0), ElementsAre(_, _, next.substr(0, 30)))
        << "shown as it stands";
    directory.write("ytime.dab", next.substr(30), true);
    followLogFiles();
    EXPECT_THAT(listColumn(readerState.list, 8), ElementsAre(_, _, "Namnl\xF6s - Anteckningar"));
    for (std::uint64_t number = 3; number < 200; ++number)
        directory.write("ytime.dab", record(8 * 3600, number, number * 60, 60, "Kalkylator"), true);
    followLogFiles();
    EXPECT_TRUE(lastRowInView()) << "the growth scrolls the newest record into view";

    // Moved into the history at a start-up: the log starts again.
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 8}, 8 * 3600, 58));
    followLogFiles();
    EXPECT_EQ(ListView_GetItemCount(readerState.list), 1);
    EXPECT_THAT(companion::windowText(readerState.status), HasSubstr("1 uppstart   "));
}

class Statistics : public CompanionWindow<companion_texts::statClass, registerStatClass> {
protected:
    Statistics()
    {
        statState = StatState{};
        // Two hours yesterday in the history, one today in the log.
        directory.write("yhist.dab", "HISTORIA\r\n" +
                                         uvlog::sampleHeaderLines(daysAgo(1), 8 * 3600, 1) +
                                         record(8 * 3600, 1, 0, 300, "WINDOWS") +
                                         record(8 * 3600, 2, 5400, 5400, "Kalkyl") +
                                         record(8 * 3600, 3, 7200, 1800, "Post"));
        directory.write("ytime.dab", uvlog::sampleHeaderLines(daysAgo(0), 0, 2) +
                                         record(0, 1, 0, 120, "WINDOWS") +
                                         record(0, 2, 2400, 2400, "Kalkyl", true) +
                                         record(0, 3, 3600, 1200, "Post") + "trasig\r\n");
        window = createStatWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    }
    // Picks an entry of a combo box as a click would.
    void choose(HWND box, int id, int index)
    {
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    const std::string yesterday = uvlog::dateText(daysAgo(1));
    const std::string today = uvlog::dateText(daysAgo(0));
};

TEST_F(Statistics, TheTotalsAndEachViewsTableLargestFirstAreThoseOfTheWorkingDirectory)
{
    // Start-ups, longest and average run, running time, total of the latest
    // record, on line, from system start to the latest run (never a sum), records.
    const char* const totals[statTotalCount] = {
        "2",       "2:00:00", "1:30:00", "3:00:00",
        "3:00:00", "0:40:00", "0:02:00", "6 (1 ol\xE4sbar rad)"};
    for (int i = 0; i < statTotalCount; ++i)
        EXPECT_EQ(controlText(window, statValueFirst + i), totals[i]) << i;

    for (const auto& [view, column, cells] :
         {std::tuple{uvlog::Grouping::application, 0, std::vector<std::string>{"Kalkyl", "Post"}},
          {uvlog::Grouping::day, 1, {"2:00:00", "1:00:00"}},
          {uvlog::Grouping::run, 2, {yesterday + " 10:00:00", today + " 01:00:00"}},
          {uvlog::Grouping::title, 0, {"Kalkyl", "Post"}}}) {
        choose(statState.view, statView, static_cast<int>(view));
        EXPECT_EQ(listColumn(statState.table, column), cells) << static_cast<int>(view);
    }
}

TEST_F(Statistics, APeriodLimitsTotalsAndTables)
{
    choose(statState.rangeBox, statRange, static_cast<int>(StatRange::today));
    EXPECT_EQ(controlText(window, statValueFirst), "1");
    EXPECT_THAT(listColumn(statState.table, 1), ElementsAre("0:40:00", "0:20:00"));

    choose(statState.rangeBox, statRange, static_cast<int>(StatRange::dates));
    // One day; two dates, in either order, take in both days and what lies between.
    for (const auto& [from, to, startups, kalkyl, post] :
         {std::tuple{yesterday, yesterday, "1", "1:30:00", "0:30:00"},
          {yesterday, today, "2", "2:10:00", "0:50:00"},
          {today, yesterday, "2", "2:10:00", "0:50:00"}}) {
        SetWindowTextA(statState.fromEdit, from.c_str());
        SetWindowTextA(statState.toEdit, to.c_str());
        ASSERT_TRUE(refreshStatistics());
        EXPECT_EQ(controlText(window, statValueFirst), startups) << from << " " << to;
        EXPECT_THAT(listColumn(statState.table, 1), ElementsAre(kalkyl, post)) << from << " " << to;
    }
    SetWindowTextA(statState.toEdit, "i g\xE5r");
    EXPECT_FALSE(refreshStatistics()) << "a date that is not one";
    EXPECT_EQ(controlText(window, statValueFirst), "2") << "the last period's figures stay";
}

TEST_F(Statistics, BarsAndColumnsAreDrawnToScale)
{
    // A 32-bit memory bitmap the size of the client area.
    const std::unique_ptr<HDC__, decltype(&DeleteDC)> dc(CreateCompatibleDC(nullptr), &DeleteDC);
    const win32::OwnedGdi<HBITMAP> bitmap(CreateBitmap(900, 640, 1, 32, nullptr));
    const win32::ScopedSelect selected(dc.get(), bitmap.get());
    paintTitleBars(dc.get(), statBarChartArea, statState.stats.titles, "F\xF6nster",
                   companion::dialogFont(), statState.headingFont.get());
    paintDayColumns(dc.get(), statDayChartArea, statState.stats, companion::dialogFont(),
                    statState.headingFont.get());

    const RECT first = titleBarRect(statBarChartArea, 0, 7800, 7800);
    const RECT second = titleBarRect(statBarChartArea, 1, 3000, 7800);
    EXPECT_EQ(GetPixel(dc.get(), first.right - 1, first.top + 2), chartBarColour);
    EXPECT_EQ(GetPixel(dc.get(), second.right - 1, second.top + 2), chartBarColour);
    EXPECT_EQ(GetPixel(dc.get(), second.right + 1, second.top + 2), chartBackground);
    EXPECT_LT(second.right - second.left, (first.right - first.left) / 2);

    // Yesterday two hours, today one: the axis tops at 2 hours.
    const RECT twoHours = dayColumnRect(statDayChartArea, 28, 7200, 7200);
    const RECT oneHour = dayColumnRect(statDayChartArea, 29, 3600, 7200);
    EXPECT_EQ(GetPixel(dc.get(), twoHours.left + 2, twoHours.top + 1), chartBarColour);
    EXPECT_EQ(GetPixel(dc.get(), oneHour.left + 2, oneHour.top + 1), chartTodayColour);
    EXPECT_NE(GetPixel(dc.get(), oneHour.left + 2, oneHour.top - 2), chartTodayColour);
    const RECT empty = dayColumnRect(statDayChartArea, 10, 0, 7200);
    EXPECT_NE(GetPixel(dc.get(), empty.left + 2, empty.bottom - 2), chartBarColour);
}

TEST_F(Statistics, TheTableGoesOutAsCsvToAFileAndTheClipboard)
{
    const std::string expected =
        "F\xF6nster ovanf\xF6r Uravik;Tid ovanf\xF6r;Sekunder;Andel (%);Perioder\r\n"
        "Kalkyl;2:10:00;7800;72,2;2\r\nPost;0:50:00;3000;27,8;2\r\n";
    ASSERT_TRUE(saveTableAs("tabell.csv"));
    EXPECT_EQ(companion_test::readFile("tabell.csv"), expected);
    ASSERT_TRUE(copyTableToClipboard());
    ASSERT_TRUE(OpenClipboard(window));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(data))), expected);
    GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(Statistics, TheTimeAwayIsLeftOutUntilTheBoxIsCleared)
{
    // Ten minutes of today's "Kalkyl" (00:00 to 00:40) nobody was there.
    directory.write("yborta.dab", today + " 00:10:00  " + today + " 00:20:00  inaktiv\r\n");
    SendMessageA(window, WM_COMMAND, statRefresh, 0);
    for (const auto& [leaveOut, titles, dayColumns, todayAway] :
         {std::tuple{true, std::vector<std::string>{"Kalkyl", "Post", "(borta)"}, 3, "0:10:00"},
          {false, {"Kalkyl", "Post"}, 2, ""}}) {
        SendMessageA(statState.awayBox, BM_SETCHECK, leaveOut ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(statAway, BN_CLICKED),
                     reinterpret_cast<LPARAM>(statState.awayBox));
        choose(statState.view, statView, static_cast<int>(uvlog::Grouping::title));
        EXPECT_EQ(listColumn(statState.table, 0), titles) << leaveOut;
        choose(statState.view, statView, static_cast<int>(uvlog::Grouping::day));
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(statState.table)), dayColumns) << leaveOut;
        EXPECT_THAT(listColumn(statState.table, 2), ElementsAre(_, todayAway)) << leaveOut;
    }
}

}  // namespace
