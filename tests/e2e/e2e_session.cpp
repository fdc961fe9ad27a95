#include "tests/e2e/e2e_session.h"

#include <filesystem>

#include "tests/sample_state.h"

namespace {

// URAVIK_E2E_ARTIFACTS as ctest sets it.
std::string artifactsDirectory()
{
    const std::string path = fromEnvironment("URAVIK_E2E_ARTIFACTS", "e2e-artifacts");
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

}  // namespace

void Session::TearDown()
{
    if (window && uravik && uravik->exitCodeWithin(0) == -1)
        EXPECT_EQ(uravik->closeAndWait(window, 5000), 0);
    if (!HasFailure())
        return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path kept =
        artifactsDirectory() + "\\" + test->test_suite_name() + "." + test->name();
    std::error_code error;
    std::filesystem::create_directory(kept, error);
    for (const auto& file : std::filesystem::directory_iterator(dir, error))
        if (file.path().extension() == ".dab" || file.path().extension() == ".txt")
            std::filesystem::copy_file(file.path(), kept / file.path().filename(), error);
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

bool Session::answerUntil(std::string& answered, const std::function<bool()>& done, DWORD timeoutMs)
{
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs;;) {
        settle(200);
        const std::string captions = answerMessageBoxes(uravik->processId());
        if (!captions.empty())
            answered += (answered.empty() ? "" : ",") + captions;
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
    }
}

void Session::screenshot(const std::string& name)
{
    settle(300);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    writeBmp(artifactsDirectory() + "\\" + name + ".bmp", screenImage(GetDesktopWindow(), screen));
}
