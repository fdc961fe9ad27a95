// One Uravik per working directory: a second start in the same folder, by
// whatever name, brings the first one's window forward and ends before it
// touches a file; folders of their own each run their own.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/e2e/e2e_session.h"
#include "tests/sample_state.h"

namespace {

namespace fs = std::filesystem;
using SingleInstance = Session;

// The same folder named in other letters and, where the build maps a drive
// letter onto it (subst, or a link), through that name of its own.
TEST_F(SingleInstance, ASecondStartInTheSameFolderBringsTheFirstForwardAndEnds)
{
    const std::string mapped = fromEnvironment("URAVIK_MAPPED_DIR", "");
    if (!mapped.empty())
        dir = "Z:" + mapped;
    // A log over its limit of 100 bytes, with bytes that a text-mode copy
    // would stop at (Ctrl-Z) or change: the first start moves it into the
    // history byte for byte, and no second start touches the files.
    write("ysave.dab", sampleState("\r\n", "100"));
    const std::string oldLog =
        std::string(120, 'x') + "\r\nbefore \x1a after\r\n" + '\0' + "\xff\x1a\r\n";
    write("ytime.dab", oldLog);
    ASSERT_TRUE(start());
    EXPECT_EQ(uravik->answerBoxes(), "");
    ShowWindow(window, SW_MINIMIZE);
    settle(300);
    std::vector<std::string> names = {dir};
    std::transform(dir.begin(), dir.end(), names[0].begin(), ::toupper);
    if (!mapped.empty())
        names.push_back(fromEnvironment("URAVIK_MAPPED_DRIVE", "R:") + "\\");
    for (const std::string& name : names) {
        UravikProcess second(uravikExe(), name);
        EXPECT_EQ(second.exitCodeWithin(3000), 0) << "the second start keeps running: " << name;
    }
    settle(300);
    EXPECT_FALSE(IsIconic(window)) << "the first one's window was brought forward";
    EXPECT_EQ(read("yhist.dab"), "HISTORIA\r\n" + oldLog);
    EXPECT_EQ(read("ytime.dab"), "");

    // The first one's run writes its header once.
    bringToTop(makePeerWindow());
    settle(1500);
    const std::string log = read("ytime.dab");
    EXPECT_EQ(log.find("Uppstart nr="), log.rfind("Uppstart nr=")) << log;
    EXPECT_THAT(log, HasSubstr("Uppstart nr=  57 "));
    EXPECT_EQ(uravik->closeAndWait(window), 0);
    EXPECT_EQ(GetFileAttributesA(path("uravik.lck").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the lock file goes with the program";
}

// Two folders whose names differ only in letters outside the ANSI code page
// (both read "uravik-e2e-?" through it): each is a folder of its own, and
// "Om" finds aboutuv.exe beside uravik.exe.
TEST_F(SingleInstance, FoldersNamedOutsideTheCodePageEachRunTheirOwnUravik)
{
    const fs::path dirs[] = {fs::path(dir) / L"uravik-e2e-\x0416",
                             fs::path(dir) / L"uravik-e2e-\x4E2D"};
    std::unique_ptr<UravikProcess> runs[2];
    HWND windows[2] = {};
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(fs::create_directory(dirs[n]));
        for (const std::string name : {"uravik.exe", "aboutuv.exe"})
            ASSERT_TRUE(fs::copy_file(besideUravik(name), dirs[n] / name));
        runs[n] = std::make_unique<UravikProcess>(dirs[n] / "uravik.exe", dirs[n]);
        windows[n] = runs[n]->waitForMainWindow(runsItsClock, 8000);
        ASSERT_NE(windows[n], nullptr) << "the folder's Uravik stepped aside: " << n;
    }

    HWND about = clickAndWaitFor(windows[0], layout::aboutButton, "UravikOm");
    EXPECT_NE(about, nullptr) << "aboutuv.exe did not start: " << runs[0]->answerBoxes(true);
    PostMessageA(about, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(about); });

    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(runs[n]->closeAndWait(windows[n]), 0);
        EXPECT_EQ(runs[n]->answerBoxes(), "") << "a new install starts quietly";
        std::string firstLine;
        std::getline(std::ifstream(dirs[n] / "ysave.dab", std::ios::binary), firstLine);
        EXPECT_EQ(firstLine, "1   =Uppstarter\r");
    }
}

}  // namespace
