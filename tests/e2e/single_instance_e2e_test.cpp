// One Uravik per working directory: a second start in the same folder
// brings the first one's window forward and ends before it touches a file.

#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
