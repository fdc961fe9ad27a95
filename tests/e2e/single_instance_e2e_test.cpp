// One Uravik per working directory: a second start in the same folder
// brings the first one's window forward and ends before it touches a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

// A folder with a state file and an empty log, so start-up has nothing to
// report.
std::string preparedDirectory(const char* name)
{
    const std::string dir = makeEmptyDirectory(name);
    writeFile(dir + "\\ysave.dab", sampleState("\r\n"));
    writeFile(dir + "\\ytime.dab", "");
    return dir;
}

TEST(SingleInstance, ASecondStartInTheSameFolderBringsTheFirstForwardAndEnds)
{
    const std::string dir = preparedDirectory("uravik-e2e-single");
    UravikProcess first(uravikExe(), dir);
    HWND window = first.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    settle(300);

    // The same folder, named in other letters.
    std::string upper = dir;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    {
        UravikProcess second(uravikExe(), upper);
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.exitCodeWithin(3000), 0) << "the second start keeps running";
    }
    settle(300);
    EXPECT_FALSE(IsIconic(window)) << "the first one's window was brought forward";

    // A window above the first writes its run's header, once.
    bringToTop(makePeerWindow("Uravik e2e peer"));
    settle(1500);
    const std::string log = readFile(dir + "\\ytime.dab");
    EXPECT_EQ(log.find("Uppstart nr="), log.rfind("Uppstart nr=")) << log;
    EXPECT_NE(log.find("Uppstart nr=  57 "), std::string::npos) << log;

    // Another folder is another Uravik's to work in.
    UravikProcess other(uravikExe(), preparedDirectory("uravik-e2e-single-other"));
    HWND otherWindow = other.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(otherWindow, nullptr);
    EXPECT_EQ(other.closeAndWait(otherWindow, 5000), 0);
    EXPECT_EQ(first.closeAndWait(window, 5000), 0);
    keepDataFiles(dir);
}

// The same folder through a drive letter mapped onto it (subst, or a link):
// a name of its own, and still the folder the first one works in.
TEST(SingleInstance, ASecondStartThroughAnotherDriveLetterStepsAside)
{
    const std::string prepared = fromEnvironment("URAVIK_MAPPED_DIR", "");
    if (prepared.empty())
        GTEST_SKIP() << "no mapped drive letter (run through ctest)";
    const std::string dir = "Z:" + prepared;
    writeFile(dir + "\\ysave.dab", sampleState("\r\n"));
    writeFile(dir + "\\ytime.dab", "");
    UravikProcess first(uravikExe(), dir);
    HWND window = first.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(window, nullptr);
    {
        UravikProcess second(uravikExe(), fromEnvironment("URAVIK_MAPPED_DRIVE", "R:") + "\\");
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.exitCodeWithin(3000), 0) << "the second start keeps running";
    }
    bringToTop(makePeerWindow("Uravik e2e peer"));
    settle(1500);
    EXPECT_EQ(first.closeAndWait(window, 5000), 0);
    const std::string log = readFile(dir + "\\ytime.dab");
    EXPECT_EQ(log.find("Uppstart nr="), log.rfind("Uppstart nr=")) << log;
    EXPECT_EQ(GetFileAttributesA((dir + "\\uravik.lck").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the lock file goes with the program";
    keepDataFiles(dir);
}

// Two folders whose names differ only in letters outside the ANSI code page
// (both read "uravik-e2e-?-..." through it): each is a folder of its own, and
// "Om" finds aboutuv.exe beside uravik.exe.
TEST(SingleInstance, FoldersNamedOutsideTheCodePageEachRunTheirOwnUravik)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring suffix =
        L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64());
    const std::wstring dirs[] = {std::wstring(temp) + L"uravik-e2e-\x0416" + suffix,
                                 std::wstring(temp) + L"uravik-e2e-\x4E2D" + suffix};
    const std::string build = uravikExe().substr(0, uravikExe().find_last_of("\\/") + 1);
    // The build folder's name is plain ASCII.
    const auto wide = [](const std::string& text) {
        return std::wstring(text.begin(), text.end());
    };
    std::wstring exes[2];
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(CreateDirectoryW(dirs[n].c_str(), nullptr));
        exes[n] = dirs[n] + L"\\uravik.exe";
        for (const std::string name : {"uravik.exe", "aboutuv.exe"})
            ASSERT_TRUE(CopyFileW(wide(build + name).c_str(),
                                  (dirs[n] + L"\\" + wide(name)).c_str(), FALSE));
    }
    UravikProcess first(exes[0], dirs[0]);
    HWND firstWindow = first.waitForMainWindow(runsItsClock, 8000);
    ASSERT_NE(firstWindow, nullptr);
    UravikProcess second(exes[1], dirs[1]);
    HWND secondWindow = second.waitForMainWindow(runsItsClock, 8000);
    ASSERT_NE(secondWindow, nullptr) << "the second folder's Uravik stepped aside";

    SetWindowPos(firstWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    settle(300);
    clickAt(firstWindow, 229, 257);
    HWND about = nullptr;
    for (int waited = 0; !(about = FindWindowA("UravikOm", nullptr)) && waited < 8000;
         waited += 100)
        settle(100);
    EXPECT_NE(about, nullptr) << "aboutuv.exe did not start: "
                              << answerMessageBoxes(first.processId(), true);
    if (about)
        PostMessageA(about, WM_CLOSE, 0, 0);

    EXPECT_EQ(first.closeAndWait(firstWindow, 5000), 0);
    EXPECT_EQ(second.closeAndWait(secondWindow, 5000), 0);
    for (const std::wstring& dir : dirs) {
        char state[64] = "";
        if (FILE* file = _wfopen((dir + L"\\ysave.dab").c_str(), L"rb")) {
            std::fread(state, 1, sizeof state - 1, file);
            std::fclose(file);
        }
        EXPECT_EQ(std::string(state).rfind("1   =Uppstarter\r\n", 0), 0u) << state;
    }
}

}  // namespace
