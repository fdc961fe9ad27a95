// uravik.exe as a user meets it: started in an empty folder, watched through
// its window title, closed from the system menu.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/e2e_process.h"

namespace {

std::string uravikExe()
{
    const char* path = std::getenv("URAVIK_EXE");
    return path ? path : "uravik.exe";
}

bool showsRunningTime(HWND window)
{
    const std::string title = windowTitle(window);
    return title.size() == 14 && title.rfind("Uravik 0:00:0", 0) == 0;
}

TEST(EndToEnd, StartsCountsInItsTitleAndEndsWithExitCodeZero)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-start");
    UravikProcess uravik(uravikExe(), dir);
    ASSERT_TRUE(uravik.started()) << uravikExe();

    HWND window = uravik.waitForMainWindow(showsRunningTime, 3000);
    ASSERT_NE(window, nullptr) << "no window titled \"Uravik 0:00:0N\" within 3 s";
    EXPECT_TRUE(IsWindowVisible(window));

    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
}

}  // namespace
