// Start-up as a user meets it: a new install, which starts quietly; a folder
// whose files went missing, which reports them once each and then creates
// them; and a start with an oversized log, which is moved into the history.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"

namespace {

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(StartUp, ANewInstallStartsQuietly)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-new-install");
    UravikProcess uravik(uravikExe(), dir);
    HWND window = uravik.waitForMainWindow(runsItsClock, 8000);
    ASSERT_NE(window, nullptr);
    settle(1500);
    EXPECT_EQ(answerMessageBoxes(uravik.processId()), "");
    EXPECT_TRUE(exists(dir + "\\ytime.dab"));
    EXPECT_EQ(readFile(dir + "\\ytime.dab"), "");
    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    const std::string saved = readFile(dir + "\\ysave.dab");
    EXPECT_NE(saved.find("   =Applikationer totalt\r\n4000000\r\nSlut\r\n"), std::string::npos)
        << saved;
    keepDataFiles(dir);
}

TEST(StartUp, FilesGoneMissingAreReportedOnceEachThenCreated)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-first-run");
    writeFile(dir + "\\yhist.dab", "HISTORIA\r\n");
    UravikProcess uravik(uravikExe(), dir);
    ASSERT_TRUE(uravik.started());

    // Answer the boxes as they come, as a user clicking OK would.
    std::vector<std::string> answered;
    HWND window = nullptr;
    for (const ULONGLONG deadline = GetTickCount64() + 8000; GetTickCount64() < deadline;
         settle(200)) {
        const std::string captions = answerMessageBoxes(uravik.processId());
        if (!captions.empty())
            answered.push_back(captions);
        window = uravik.waitForMainWindow(runsItsClock, 0);
        if (window && answered.size() >= 2)
            break;
    }
    settle(1500);  // nothing more may come
    EXPECT_EQ(answered, (std::vector<std::string>{"FELMEDDELANDE", "FILFEL"}));
    EXPECT_EQ(answerMessageBoxes(uravik.processId()), "") << "a box came again";
    ASSERT_NE(window, nullptr);
    saveScreenshot(artifactsDirectory() + "\\first-run.bmp");

    // The headings were first painted while the boxes were open, before the
    // fonts existed; once start-up is through they show in their own font.
    const RECT headings = {20, 0, 440, 22};
    const auto shown = capturePixels(window, headings);
    InvalidateRect(window, nullptr, TRUE);
    settle(500);
    EXPECT_EQ(shown, capturePixels(window, headings)) << "a heading is still in the system font";

    // The boxes lay above Uravik's window: the run was logged from the first.
    bringToTop(makePeerWindow("Uravik e2e peer"));
    settle(1600);
    const std::string log = readFile(dir + "\\ytime.dab");
    EXPECT_NE(log.find("Uppstart nr=  1        \r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("WINDOWS\r\n"), std::string::npos) << log;
    EXPECT_EQ(readFile(dir + "\\ysave.dab").rfind("1   =Uppstarter\r\n", 0), 0u);

    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    keepDataFiles(dir);
}

// A start from the Startup folder can hide its box behind other windows
// for a whole day: the session's end, with the box still open and the
// process killed right after, stores the run all the same.
TEST(StartUp, TheSessionEndedWhileAStartUpBoxIsOpenStoresTheRun)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-box-at-end");
    writeFile(dir + "\\ytime.dab", "");
    UravikProcess uravik(uravikExe(), dir);
    HWND window = uravik.waitForMainWindow([](HWND) { return true; }, 8000);
    ASSERT_NE(window, nullptr);
    HWND box = nullptr;
    for (int waited = 0; !box && waited < 8000; waited += 100) {
        settle(100);
        box = FindWindowA("#32770", "FILFEL");
    }
    ASSERT_NE(box, nullptr) << "no start-up box";
    settle(1500);
    uravik.endSessionAndKill(window);
    EXPECT_EQ(readFile(dir + "\\ysave.dab").rfind("1   =Uppstarter\r\n", 0), 0u);
    const std::string log = readFile(dir + "\\ytime.dab");
    EXPECT_NE(log.find("Uppstart nr=  1        \r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("    WINDOWS\r\n"), std::string::npos) << log;
    keepDataFiles(dir);
}

TEST(StartUp, AnOversizedLogIsMovedIntoTheHistoryByteForByte)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-log-move");
    writeFile(dir + "\\ysave.dab",
              "3   =Uppstarter\r\n1   =Timmar totalt\r\n02   =Minuter totalt\r\n"
              "03   =Sekunder totalt\r\n40   =Applikationer totalt\r\n100\r\n\r\nSlut\r\n");
    std::string oldLog;
    for (int i = 1; i <= 5; ++i)
        oldLog += "              " + std::to_string(i) + " an earlier record line\r\n";
    // Bytes that a text-mode copy would stop at (Ctrl-Z) or change are moved too.
    oldLog += std::string("before \x1a after\r\n") + '\0' + "\xff\x1a\r\n";
    writeFile(dir + "\\ytime.dab", oldLog);

    UravikProcess uravik(uravikExe(), dir);
    ASSERT_TRUE(uravik.started());
    HWND window = uravik.waitForMainWindow(runsItsClock, 5000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(answerMessageBoxes(uravik.processId()), "");

    EXPECT_EQ(readFile(dir + "\\yhist.dab"), "HISTORIA\r\n" + oldLog);
    EXPECT_EQ(readFile(dir + "\\ytime.dab"), "");
    saveScreenshot(artifactsDirectory() + "\\log-moved.bmp");
    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    keepDataFiles(dir);
}

}  // namespace
