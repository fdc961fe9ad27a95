// uravik.exe keeping its accounts: with a state file from earlier runs, the
// helper window is brought above Uravik's and the log and the state file are
// read back as the log reader and the next start-up would read them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

namespace {

constexpr const char* peerTitle = "Uravik testfönster";

std::string fromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

// Text mode: the line ends on disk are CR LF, as Uravik's own are.
void writeTextFile(const std::string& path, const std::string& content)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr) << path;
    std::fputs(content.c_str(), file);
    std::fclose(file);
}

std::string readBytes(const std::string& path)
{
    std::string content;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            content.append(chunk, n);
        std::fclose(file);
    }
    return content;
}

// Waits until the file holds `text`; returns its content then, or at the end.
std::string waitForText(const std::string& path, const std::string& text, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    std::string content;
    while ((content = readBytes(path)).find(text) == std::string::npos &&
           GetTickCount64() < deadline)
        Sleep(100);
    return content;
}

void bringToTop(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND waitForPeerWindow(DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND peer = nullptr;
    while ((peer = FindWindowA("UravikPeerWindow", nullptr)) == nullptr &&
           GetTickCount64() < deadline)
        Sleep(50);
    return peer;
}

long totalSeconds(const std::string& state)
{
    long hours = 0, minutes = 0, seconds = 0, startups = 0;
    std::sscanf(state.c_str(),
                "%ld   =Uppstarter\r\n%ld   =Timmar totalt\r\n%ld   "
                "=Minuter totalt\r\n%ld",
                &startups, &hours, &minutes, &seconds);
    return hours * 3600 + minutes * 60 + seconds;
}

TEST(PersistenceEndToEnd, LogsTheWindowsAboveAndCarriesTheCountsToTheNextStart)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-persistence");
    const std::string state = dir + "\\ysave.dab";
    const std::string log = dir + "\\ytime.dab";
    writeTextFile(state, sampleState());
    writeTextFile(log, "");

    const std::string uravikExe = fromEnvironment("URAVIK_EXE", "uravik.exe");
    UravikProcess uravik(uravikExe, dir);
    ASSERT_TRUE(uravik.started()) << uravikExe;
    HWND window = uravik.waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(window, nullptr) << "Uravik did not start its clock";

    UravikProcess peer(fromEnvironment("URAVIK_PEER_WINDOW", "uravik_peer_window.exe"), dir);
    ASSERT_TRUE(peer.started());
    HWND peerWindow = waitForPeerWindow(10000);
    ASSERT_NE(peerWindow, nullptr);

    // Above once: the header and the record of the time before.
    bringToTop(peerWindow);
    std::string written = waitForText(log, "    WINDOWS\r\n", 5000);
    EXPECT_NE(written.find(std::string(170, '=') + "\r\nWINDOWS START=  "), std::string::npos);
    EXPECT_NE(written.find("     Uppstart nr=  57        \r\n"), std::string::npos) << written;
    Sleep(1500);
    // Uravik on top names the helper's period; the helper above again names
    // the time nothing lay above.
    bringToTop(window);
    written = waitForText(log, std::string("    ") + peerTitle + "\r\n", 5000);
    EXPECT_NE(written.find(std::string("    ") + peerTitle + "\r\n"), std::string::npos) << written;
    bringToTop(peerWindow);
    written = waitForText(log, "    ?\r\n", 5000);
    EXPECT_NE(written.find("    ?\r\n"), std::string::npos) << written;
    EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
    // Closing records the period that was under way, named by the window above.
    written = readBytes(log);
    EXPECT_EQ(written.substr(written.size() - std::strlen(peerTitle) - 6),
              std::string("    ") + peerTitle + "\r\n");

    const std::string saved = readBytes(state);
    EXPECT_EQ(
        saved.rfind("57   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n", 0), 0u)
        << saved;
    EXPECT_GT(totalSeconds(saved), 312 * 3600 + 5 * 60 + 48) << saved;
    EXPECT_NE(saved.find("\r\n1205   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n"),
              std::string::npos)
        << saved;

    // The next start-up counts on from the saved state.
    UravikProcess second(uravikExe, dir);
    HWND secondWindow = second.waitForMainWindow(runsItsClock, 10000);
    ASSERT_NE(secondWindow, nullptr);
    bringToTop(peerWindow);
    written = waitForText(log, "Uppstart nr=  58", 5000);
    EXPECT_NE(written.find("     Uppstart nr=  58        \r\n"), std::string::npos) << written;
    EXPECT_EQ(waitForText(state, "58   =Uppstarter", 5000).rfind("58   =Uppstarter\r\n", 0), 0u);
    EXPECT_EQ(second.closeAndWait(secondWindow, 5000), 0);
    keepDataFiles(dir);
    PostMessageA(peerWindow, WM_CLOSE, 0, 0);
}

// A run in which no window ever comes above Uravik's still counts: closed,
// or ended with the session and then killed as the system may do.
TEST(PersistenceEndToEnd, RunWithNothingAboveIsCountedAtItsEnd)
{
    const std::string dir = makeEmptyDirectory("uravik-e2e-run-end");
    const std::string state = dir + "\\ysave.dab";
    writeTextFile(state, sampleState());
    writeTextFile(dir + "\\ytime.dab", "");
    const std::string uravikExe = fromEnvironment("URAVIK_EXE", "uravik.exe");
    long before = totalSeconds(readBytes(state));
    for (int run = 57; run <= 58; ++run) {
        UravikProcess uravik(uravikExe, dir);
        HWND window = uravik.waitForMainWindow(runsItsClock, 10000);
        ASSERT_NE(window, nullptr);
        Sleep(3000);
        if (run == 57)
            EXPECT_EQ(uravik.closeAndWait(window, 5000), 0);
        else
            uravik.endSessionAndKill(window);
        const std::string saved = readBytes(state);
        EXPECT_EQ(saved.rfind(std::to_string(run) + "   =Uppstarter\r\n", 0), 0u) << saved;
        EXPECT_GE(totalSeconds(saved), before + 3) << saved;
        before = totalSeconds(saved);
    }
    const std::string written = readBytes(dir + "\\ytime.dab");
    EXPECT_NE(written.find("Uppstart nr=  58"), std::string::npos) << written;
    int records = 0;
    for (std::size_t at = 0; (at = written.find("    WINDOWS\r\n", at)) != std::string::npos; ++at)
        ++records;
    EXPECT_EQ(records, 2) << "one record for each run's end, none twice";
    keepDataFiles(dir);
}

}  // namespace
