#include "tests/e2e/e2e_session.h"

#include "tests/sample_state.h"
#include "tests/win32/bitmap_file.h"

namespace {

// URAVIK_E2E_ARTIFACTS as ctest sets it; run by hand, the same folder,
// build/<preset>/e2e-artifacts, found from this test's own place in it.
std::string artifactsDirectory()
{
    std::string path = fromEnvironment("URAVIK_E2E_ARTIFACTS", "");
    if (path.empty()) {
        char exe[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, exe, sizeof exe);
        path = std::string(exe).substr(0, std::string(exe).find_last_of("\\/")) +
               "\\..\\..\\e2e-artifacts";
    }
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

}  // namespace

void Session::TearDown()
{
    if (window && uravik && uravik->exitCodeWithin(0) == -1) {
        EXPECT_EQ(uravik->closeAndWait(window, 5000), 0);
    }
    if (!HasFailure())
        return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string kept =
        artifactsDirectory() + "\\" + test->test_suite_name() + "." + test->name();
    CreateDirectoryA(kept.c_str(), nullptr);
    for (const char* pattern : {"\\*.dab", "\\*.txt"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir + pattern).c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            copyFile(path(found.cFileName), kept + "\\" + found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }
}

void Session::prepareFiles() const
{
    write("ysave.dab", sampleState("\r\n"));
    write("ytime.dab", "");
}

bool Session::start(const std::function<bool(HWND)>& accept, const std::string& exe)
{
    uravik = std::make_unique<UravikProcess>(exe, dir);
    window = uravik->started() ? uravik->waitForMainWindow(accept, 10000) : nullptr;
    return window != nullptr;
}

bool Session::answerUntil(std::vector<std::string>& answered, const std::function<bool()>& done,
                          DWORD timeoutMs)
{
    // A box answered closes a moment later: looked at sooner, it would
    // count twice.
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs;;) {
        settle(200);
        const std::string captions = answerMessageBoxes(uravik->processId());
        if (!captions.empty())
            answered.push_back(captions);
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
    }
}

void Session::screenshot(const std::string& name)
{
    settle(300);
    HDC screen = GetDC(nullptr);
    const Image shown =
        imageOf(screen, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    ReleaseDC(nullptr, screen);
    writeBmp(artifactsDirectory() + "\\" + name + ".bmp", shown);
}
