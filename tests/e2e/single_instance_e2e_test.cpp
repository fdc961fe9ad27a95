// One Uravik per working directory: a second start in the same folder
// brings the first one's window forward and ends before it touches a file;
// a new install in another folder starts quietly beside it.

#include <algorithm>
#include <cstdio>

#include "tests/e2e/e2e_session.h"

namespace {

class SingleInstance : public Session {
protected:
    // A second start in `folder`, which is the first one's folder by
    // another name: it ends at once, and the first one's run writes its
    // header once.
    void secondStartStepsAside(const std::string& folder)
    {
        UravikProcess second(uravikExe(), folder);
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.exitCodeWithin(3000), 0) << "the second start keeps running";
    }
    void logHoldsOneHeader()
    {
        bringToTop(makePeerWindow());
        settle(1500);
        const std::string log = read("ytime.dab");
        EXPECT_EQ(log.find("Uppstart nr="), log.rfind("Uppstart nr=")) << log;
        EXPECT_THAT(log, ::testing::HasSubstr("Uppstart nr=  57 "));
    }
};

TEST_F(SingleInstance, ASecondStartInTheSameFolderBringsTheFirstForwardAndEnds)
{
    // Another folder, a new install, is another Uravik's to work in: it
    // starts quietly with an empty log, and stores its run when closed.
    const std::string other = path("other");
    CreateDirectoryA(other.c_str(), nullptr);
    UravikProcess another(uravikExe(), other);
    HWND otherWindow = another.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(otherWindow, nullptr);
    settle(1500);
    EXPECT_EQ(answerMessageBoxes(another.processId()), "");
    EXPECT_NE(GetFileAttributesA((other + "\\ytime.dab").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readFile(other + "\\ytime.dab"), "");

    prepareFiles();
    ASSERT_TRUE(start());
    ShowWindow(window, SW_MINIMIZE);
    settle(300);
    // The same folder, named in other letters.
    std::string upper = dir;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    secondStartStepsAside(upper);
    settle(300);
    EXPECT_FALSE(IsIconic(window)) << "the first one's window was brought forward";
    logHoldsOneHeader();

    EXPECT_EQ(another.closeAndWait(otherWindow, 5000), 0);
    EXPECT_THAT(readFile(other + "\\ysave.dab"),
                ::testing::EndsWith("   =Applikationer totalt\r\n4000000\r\nSlut\r\n"));
}

// The same folder through a drive letter mapped onto it (subst, or a link):
// a name of its own, and still the folder the first one works in.
TEST_F(SingleInstance, ASecondStartThroughAnotherDriveLetterStepsAside)
{
    const std::string prepared = fromEnvironment("URAVIK_MAPPED_DIR", "");
    if (prepared.empty())
        GTEST_SKIP() << "no mapped drive letter (run through ctest)";
    dir = "Z:" + prepared;
    prepareFiles();
    ASSERT_TRUE(start());
    secondStartStepsAside(fromEnvironment("URAVIK_MAPPED_DRIVE", "R:") + "\\");
    logHoldsOneHeader();
    EXPECT_EQ(uravik->closeAndWait(window, 5000), 0);
    EXPECT_EQ(GetFileAttributesA(path("uravik.lck").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the lock file goes with the program";
}

// Two folders whose names differ only in letters outside the ANSI code page
// (both read "uravik-e2e-?-..." through it): each is a folder of its own, and
// "Om" finds aboutuv.exe beside uravik.exe.
TEST(SingleInstanceOutsideTheCodePage, FoldersNamedOutsideTheCodePageEachRunTheirOwnUravik)
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
    std::unique_ptr<UravikProcess> uravik[2];
    HWND windows[2] = {};
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(CreateDirectoryW(dirs[n].c_str(), nullptr));
        for (const std::string name : {"uravik.exe", "aboutuv.exe"})
            ASSERT_TRUE(CopyFileW(wide(build + name).c_str(),
                                  (dirs[n] + L"\\" + wide(name)).c_str(), FALSE));
        uravik[n] = std::make_unique<UravikProcess>(dirs[n] + L"\\uravik.exe", dirs[n]);
        windows[n] = uravik[n]->waitForMainWindow(runsItsClock, 8000);
        ASSERT_NE(windows[n], nullptr) << "the folder's Uravik stepped aside: " << n;
    }

    HWND about = clickAndWaitFor(windows[0], layout::aboutButton, "UravikOm");
    EXPECT_NE(about, nullptr) << "aboutuv.exe did not start: "
                              << answerMessageBoxes(uravik[0]->processId(), true);
    PostMessageA(about, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(about); });

    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(uravik[n]->closeAndWait(windows[n], 5000), 0);
        char state[64] = "";
        if (FILE* file = _wfopen((dirs[n] + L"\\ysave.dab").c_str(), L"rb")) {
            std::fread(state, 1, sizeof state - 1, file);
            std::fclose(file);
        }
        EXPECT_THAT(state, ::testing::StartsWith("1   =Uppstarter\r\n"));
        if (HasFailure())
            continue;  // kept for a look
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((dirs[n] + L"\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
            DeleteFileW((dirs[n] + L"\\" + found.cFileName).c_str());
        FindClose(search);
        RemoveDirectoryW(dirs[n].c_str());
    }
}

}  // namespace
