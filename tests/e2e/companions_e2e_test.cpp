// The main window's buttons start the real companion programs, which show
// the data of the working directory. What each window shows cell by cell is
// proven in-process; here it is enough that each one read this folder's files.

#include <commctrl.h>

#include "companions/about/about_window_win32.h"
#include "companions/stat/stat_window_win32.h"
#include "tests/e2e/e2e_session.h"

namespace {

class Companions : public Session {
protected:
    void SetUp() override
    {
        for (const char* name : {"uravik.exe", "uvreader.exe", "uvstat.lib", "aboutuv.exe"})
            ASSERT_TRUE(CopyFileA(besideUravik(name).c_str(), path(name).c_str(), FALSE)) << name;
        // A run with its header and two records, as Uravik writes them.
        write("ytime.dab",
              std::string(170, '=') + "\r\n" +
                  "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \r\n"
                  "             1           0:00:01         312:05:49        08:17:14"
                  "           0:03:12    WINDOWS\r\n"
                  "             2           0:10:00         312:15:48        08:27:13"
                  "           0:09:59    Anteckningar\r\n");
        ASSERT_TRUE(start(runsItsClock, path("uravik.exe")));
    }
    void TearDown() override
    {
        for (HWND opened : companions) {
            PostMessageA(opened, WM_CLOSE, 0, 0);
            EXPECT_TRUE(waitUntil([&] { return !IsWindow(opened); }))
                << "a companion did not close";
        }
        Session::TearDown();
    }
    HWND open(const FieldRect& button, const char* className, const char* screenshotName)
    {
        HWND opened = clickAndWaitFor(window, button, className);
        EXPECT_NE(opened, nullptr) << className << " opened no window";
        settle(500);  // let it paint before it is looked at
        screenshot(screenshotName);
        return companions.emplace_back(opened);
    }

    std::vector<HWND> companions;
};

TEST_F(Companions, EachShowsTheDataOfTheWorkingDirectory)
{
    HWND statistics = open(layout::statisticsButton, "UravikStatistik", "companion-statistik");
    // The prepared run's 10 minutes, then the title table's one window.
    // Opened first: once a companion lies above Uravik, Uravik's own run is
    // in the log too.
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, statValueFirst + 3)), "0:10:00");
    HWND table = FindWindowExA(statistics, nullptr, WC_LISTVIEWA, nullptr);
    EXPECT_EQ(SendMessageA(table, LVM_GETITEMCOUNT, 0, 0), 1);

    HWND reader = open(layout::timeListButton, "UravikTidlista", "companion-tidlista");
    EXPECT_THAT(windowTitle(reader), HasSubstr("ytime.dab"));
    // The prepared run's heading row and its two records, then Uravik's own.
    HWND list = FindWindowExA(reader, nullptr, WC_LISTVIEWA, nullptr);
    EXPECT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);

    HWND about = open(layout::aboutButton, "UravikOm", "companion-om");
    const std::string folder = dir.substr(dir.find_last_of('\\') + 1);
    EXPECT_THAT(windowTitle(GetDlgItem(about, aboutFolderText)), HasSubstr(folder));
    EXPECT_NE(windowTitle(GetDlgItem(about, aboutFileFirst + 1)), "saknas") << "ytime.dab found";
}

}  // namespace
