// The main window's buttons start the real companion programs, which show
// the data of the working directory.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

std::string buildDirectory()
{
    const char* exe = std::getenv("URAVIK_EXE");
    const std::string path = exe ? exe : ".\\uravik.exe";
    return path.substr(0, path.find_last_of("\\/"));
}

// A run with its header and two records, as Uravik writes them.
void prepareDataFiles(const std::string& dir)
{
    std::ofstream(dir + "\\ysave.dab", std::ios::binary) << sampleState("\r\n");
    std::ofstream(dir + "\\ytime.dab", std::ios::binary)
        << std::string(170, '=') + "\r\n" +
               "WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57        \r\n"
               "             1           0:00:01         312:05:49        08:17:14"
               "           0:03:12    WINDOWS\r\n"
               "             2           0:10:00         312:15:48        08:27:13"
               "           0:09:59    Anteckningar\r\n";
}

HWND waitForWindow(const char* className, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND found = nullptr;
    while (!(found = FindWindowA(className, nullptr)) && GetTickCount64() < deadline)
        settle(100);
    if (found)
        settle(500);  // let it paint before it is looked at
    return found;
}

// A cell of a list view in another process: the item and its text buffer
// must lie in that process's memory. Right-set cells end in a blank, dropped.
std::string remoteCellText(HWND list, int row, int column)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return "(no access)";
    constexpr SIZE_T textSize = 512;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    std::string text;
    if (remote != nullptr) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = remote + sizeof(LVITEMA);
        item.cchTextMax = textSize;
        char local[textSize] = "";
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(LVITEMA), local, textSize - 1, nullptr);
        text = local;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    if (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
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
        for (const char* name :
             {"uravik.exe", "uvreader.exe", "uvstat.lib", "aboutuv.exe", "uvmanual.txt"})
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
        HWND opened = waitForWindow(className, 8000);
        if (opened) {
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

TEST_F(Companions, TidlistaShowsTheLogOfTheWorkingDirectory)
{
    HWND reader = open(137, 202, "UravikTidlista", "companion-tidlista");
    ASSERT_NE(reader, nullptr) << "uvreader.exe opened no window";
    EXPECT_NE(windowTitle(reader).find("ytime.dab"), std::string::npos) << windowTitle(reader);
    HWND list = FindWindowExA(reader, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    // The prepared run's heading row and its two records, dated from the
    // run's start; Uravik's own run may follow, as the reader came above it.
    ASSERT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(remoteCellText(list, 0, 0).substr(0, 14), "Uppstart nr 57");
    EXPECT_EQ(remoteCellText(list, 1, 8), "WINDOWS");
    EXPECT_EQ(remoteCellText(list, 2, 1) + " " + remoteCellText(list, 2, 2) + " " +
                  remoteCellText(list, 2, 3) + " " + remoteCellText(list, 2, 8),
              "2024-03-07 08:05:10 08:15:09 Anteckningar");
}

TEST_F(Companions, StatistikAndOmShowTheWorkingDirectorysData)
{
    HWND statistics = open(59, 257, "UravikStatistik", "companion-statistik");
    ASSERT_NE(statistics, nullptr) << "uvstat.lib opened no window";
    // The totals: one start-up, 10 minutes, 3:12 from system start; then
    // the title table's one window.
    constexpr int firstValue = 220;
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue)), "1");
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue + 3)), "0:10:00");
    EXPECT_EQ(windowTitle(GetDlgItem(statistics, firstValue + 6)), "0:03:12");
    HWND table = FindWindowExA(statistics, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(SendMessageA(table, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(remoteCellText(table, 0, 0), "Anteckningar");
    EXPECT_EQ(remoteCellText(table, 0, 1), "0:09:59");
    HWND about = open(229, 257, "UravikOm", "companion-om");
    ASSERT_NE(about, nullptr) << "aboutuv.exe opened no window";
    const std::string folder = dir.substr(dir.find_last_of('\\') + 1);
    EXPECT_TRUE(childTextContains(about, folder)) << "the about box names the folder " << folder;
    EXPECT_TRUE(childTextContains(about, "ytime.dab"));
}

TEST_F(Companions, ManualOpensInNotepad)
{
    HWND notepad = open(184, 257, "Notepad", "companion-manual");
    ASSERT_NE(notepad, nullptr) << "Notepad did not open";
    // Notepad names the file once it has read it, a while after its window shows.
    for (int waited = 0;
         windowTitle(notepad).find("uvmanual") == std::string::npos && waited < 8000; waited += 100)
        settle(100);
    EXPECT_NE(windowTitle(notepad).find("uvmanual"), std::string::npos) << windowTitle(notepad);
}

}  // namespace
