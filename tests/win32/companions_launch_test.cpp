// The built companions started under the command lines the main window's
// buttons give them (the full path of the program, quoted, then the
// arguments), in a working directory with data: each comes up and shows
// that directory's data. The test program sits beside them in the build
// directory, as uravik.exe does.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "companions/about/about_window_win32.h"
#include "companions/engine/log_format.h"
#include "companions/stat/stat_window_win32.h"
#include "companions/testing/sample_log.h"
#include "companions/testing/win32_test_support.h"

namespace {

using companion_test::controlText;

constexpr DWORD startTimeoutMs = 20000;

class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        uvlog::SampleLogPlan plan;
        plan.runs = 3;
        plan.recordsPerRun = 5;
        log = uvlog::makeSampleLog(plan);
        directory.write("ytime.dab", log);
        directory.write("yhist.dab", "HISTORIA\r\n" + uvlog::makeSampleLog(plan));
    }
    void TearDown() override
    {
        if (window != nullptr) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            for (DWORD waited = 0; IsWindow(window) && waited < 5000; waited += 50)
                Sleep(50);
            EXPECT_FALSE(IsWindow(window)) << "the companion did not close";
        }
    }
    // Starts the companion as the main window does, by the full path of the
    // program beside this one, quoted, and its arguments; waits for the
    // companion's window to show.
    HWND start(const std::string& program, const std::string& arguments, const char* windowClass)
    {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string commandLine = self;
        commandLine = "\"" + commandLine.substr(0, commandLine.find_last_of('\\') + 1) + program +
                      "\"" + (arguments.empty() ? "" : " " + arguments);
        EXPECT_GT(WinExec(commandLine.c_str(), SW_SHOW), 31u) << commandLine;
        for (DWORD waited = 0; waited < startTimeoutMs; waited += 100) {
            window = FindWindowA(windowClass, nullptr);
            if (window != nullptr && IsWindowVisible(window))
                return window;
            Sleep(100);
        }
        return nullptr;
    }

    companion_test::TemporaryWorkingDirectory directory;
    std::string log;
    HWND window = nullptr;
};

std::string titleOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(Launch, TheTimeListOpensTheLogItIsGiven)
{
    ASSERT_NE(start("uvreader.exe", "ytime.dab", "UravikTidlista"), nullptr);
    EXPECT_EQ(titleOf(window), "Tidlista - ytime.dab");
    HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    // The history (its mark, 3 runs of 6 lines) and the log's heading and lines.
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1 + 18 + 1 + 18);
}

TEST_F(Launch, TheStatisticsReadTheWorkingDirectory)
{
    ASSERT_NE(start("uvstat.lib", "", "UravikStatistik"), nullptr);
    // Read once the window has filled its values.
    Sleep(300);
    EXPECT_EQ(controlText(window, statValueFirst), "6") << "start-ups of history and log";
    EXPECT_EQ(controlText(window, statValueFirst + 7), "30") << "records";
}

TEST_F(Launch, TheAboutBoxShowsTheDataFilesOfTheWorkingDirectory)
{
    ASSERT_NE(start("aboutuv.exe", "", "UravikOm"), nullptr);
    Sleep(300);
    EXPECT_EQ(controlText(window, aboutFileFirst + 0), "saknas");
    EXPECT_EQ(controlText(window, aboutFileFirst + 1), uvlog::groupedNumber(log.size()) + " byte");
    EXPECT_EQ(controlText(window, aboutFolderText), directory.path());
}

}  // namespace
