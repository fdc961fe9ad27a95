// One Uravik per working directory: a second start in the same folder
// brings the first one's window forward and ends before it touches a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"

namespace {

std::string uravikExe()
{
    const char* path = std::getenv("URAVIK_EXE");
    return path ? path : "uravik.exe";
}

// A state file and an empty log, so start-up has nothing to report.
void prepareDataFiles(const std::string& dir)
{
    if (FILE* f = std::fopen((dir + "\\ysave.dab").c_str(), "wb")) {
        std::fputs(
            "7   =Uppstarter\r\n1   =Timmar totalt\r\n02   =Minuter totalt\r\n"
            "03   =Sekunder totalt\r\n40   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n",
            f);
        std::fclose(f);
    }
    if (FILE* f = std::fopen((dir + "\\ytime.dab").c_str(), "wb"))
        std::fclose(f);
}

// The exit code once the process has ended, or -1 if it still runs after
// `timeoutMs`.
long exitCodeWithin(const UravikProcess& uravik, DWORD timeoutMs)
{
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, uravik.processId());
    if (!process)
        return -1;
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return ended ? static_cast<long>(code) : -1;
}

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(SingleInstance, ASecondStartInTheSameFolderBringsTheFirstForwardAndEnds)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-single");
    prepareDataFiles(dir);
    UravikProcess first(uravikExe(), dir);
    HWND window = first.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    settle(300);

    {
        // The same folder, named in other letters.
        UravikProcess second(uravikExe(), upperCase(dir));
        ASSERT_TRUE(second.started());
        EXPECT_EQ(exitCodeWithin(second, 3000), 0) << "the second start keeps running";
    }
    settle(300);
    EXPECT_FALSE(IsIconic(window)) << "the first one's window was brought forward";
    EXPECT_TRUE(IsWindow(window));

    // A window above the first writes its run's header, once.
    HWND peer = CreateWindowExA(0, "STATIC", "Uravik e2e peer", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                300, 300, 300, 120, nullptr, nullptr, nullptr, nullptr);
    settle(1500);
    const std::string log = readFile(dir + "\\ytime.dab");
    std::size_t headers = 0;
    for (std::size_t at = log.find("Uppstart nr="); at != std::string::npos;
         at = log.find("Uppstart nr=", at + 1))
        ++headers;
    EXPECT_EQ(headers, 1u) << log;
    EXPECT_NE(log.find("Uppstart nr=  8 "), std::string::npos) << log;

    // Another folder is another Uravik's to work in.
    const std::string otherDir = makeEmptyDirectory("uravik-e2e-single-other");
    prepareDataFiles(otherDir);
    UravikProcess other(uravikExe(), otherDir);
    HWND otherWindow = other.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(otherWindow, nullptr);
    EXPECT_EQ(other.closeAndWait(otherWindow, 5000), 0);

    DestroyWindow(peer);
    EXPECT_EQ(first.closeAndWait(window, 5000), 0);
    keepDataFiles(dir);
}

}  // namespace
