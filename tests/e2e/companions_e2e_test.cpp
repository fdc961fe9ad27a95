// The main window's buttons start the real companion programs, which show
// the data of the working directory. What each window shows cell by cell is
// proven in-process; here it is enough that each one read this folder's files.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

std::string buildDirectory()
{
    const std::string path = uravikExe();
    return path.substr(0, path.find_last_of("\\/"));
}

// A run with its header and two records, as Uravik writes them.
void prepareDataFiles(const std::string& dir)
{
    writeFile(dir + "\\ysave.dab", sampleState("\r\n"));
    writeFile(dir + "\\ytime.dab",
              std::string(170, '=') + "\r\n" +
                  "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \r\n"
                  "             1           0:00:01         312:05:49        08:17:14"
                  "           0:03:12    WINDOWS\r\n"
                  "             2           0:10:00         312:15:48        08:27:13"
                  "           0:09:59    Anteckningar\r\n");
}

// True when a child window's text contains `text`.
bool childTextContains(HWND window, const std::string& text)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (windowTitle(child).find(text) != std::string::npos || childTextContains(child, text))
            return true;
    }
    return false;
}

class Companions : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = makeEmptyDirectory("uravik-e2e-companions");
        const std::string build = buildDirectory();
        for (const char* name : {"uravik.exe", "uvreader.exe", "uvstat.lib", "aboutuv.exe"})
            ASSERT_TRUE(copyFile(build + "\\" + name, dir + "\\" + name)) << name;
        prepareDataFiles(dir);
        uravik = std::make_unique<UravikProcess>(dir + "\\uravik.exe", dir);
        ASSERT_TRUE(uravik->started());
        window = uravik->waitForMainWindow(runsItsClock, 5000);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        for (HWND opened : companions) {
            PostMessageA(opened, WM_CLOSE, 0, 0);
            for (int waited = 0; IsWindow(opened) && waited < 5000; waited += 100)
                settle(100);
            EXPECT_FALSE(IsWindow(opened)) << "a companion did not close";
        }
        if (window) {
            EXPECT_EQ(uravik->closeAndWait(window, 5000), 0);
        }
        keepDataFiles(dir);
    }
    HWND open(int x, int y, const char* className, const char* screenshotName)
    {
        // Bring Uravik's window forward first, as a person would when an
        // earlier companion covers its buttons.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        settle(300);
        clickAt(window, x, y);
        HWND opened = nullptr;
        for (int waited = 0; !(opened = FindWindowA(className, nullptr)) && waited < 8000;
             waited += 100)
            settle(100);
        if (opened) {
            settle(500);  // let it paint before it is looked at
            companions.push_back(opened);
            saveScreenshot(artifactsDirectory() + "\\" + screenshotName + ".bmp");
        }
        return opened;
    }

    std::string dir;
    std::unique_ptr<UravikProcess> uravik;
    HWND window = nullptr;
    std::vector<HWND> companions;
};

TEST_F(Companions, EachShowsTheDataOfTheWorkingDirectory)
{
    HWND statistics = open(59, 257, "UravikStatistik", "companion-statistik");
    ASSERT_NE(statistics, nullptr) << "uvstat.lib opened no window";
    // The totals: one start-up, 10 minutes, 3:12 from system start; then
    // the title table's one window. Opened first: once a companion lies
    // above Uravik, Uravik's own run is in the log too.
    constexpr int firstValue = 220;
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue)), "1");
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue + 3)), "0:10:00");
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue + 6)), "0:03:12");
    HWND table = FindWindowExA(statistics, nullptr, WC_LISTVIEWA, nullptr);
    EXPECT_EQ(SendMessageA(table, LVM_GETITEMCOUNT, 0, 0), 1);

    HWND reader = open(137, 202, "UravikTidlista", "companion-tidlista");
    ASSERT_NE(reader, nullptr) << "uvreader.exe opened no window";
    EXPECT_NE(windowTitle(reader).find("ytime.dab"), std::string::npos) << windowTitle(reader);
    // The prepared run's heading row and its two records, then Uravik's own.
    HWND list = FindWindowExA(reader, nullptr, WC_LISTVIEWA, nullptr);
    EXPECT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);

    HWND about = open(229, 257, "UravikOm", "companion-om");
    ASSERT_NE(about, nullptr) << "aboutuv.exe opened no window";
    const std::string folder = dir.substr(dir.find_last_of('\\') + 1);
    EXPECT_TRUE(childTextContains(about, folder)) << "the about box names the folder " << folder;
    EXPECT_TRUE(childTextContains(about, "ytime.dab"));
}

}  // namespace
