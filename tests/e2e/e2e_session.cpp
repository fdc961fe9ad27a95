#include "tests/e2e/e2e_session.h"

#include <cstdio>
#include <filesystem>

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
    if (window && uravik && uravik->exitCodeWithin(0) == -1) {
        EXPECT_EQ(uravik->closeAndWait(window), 0);
    }
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

long Session::savedTotal() const
{
    long startups = 0, hours = 0, minutes = 0, seconds = 0;
    std::sscanf(read("ysave.dab").c_str(),
                "%ld   =Uppstarter\r\n%ld   =Timmar totalt\r\n%ld   =Minuter totalt\r\n%ld",
                &startups, &hours, &minutes, &seconds);
    return hours * 3600 + minutes * 60 + seconds;
}

bool Session::start(const std::function<bool(HWND)>& accept, const std::string& exe)
{
    uravik = std::make_unique<UravikProcess>(exe, dir);
    window = uravik->started() ? uravik->waitForMainWindow(accept, 10000) : nullptr;
    return window != nullptr;
}

bool Session::answerUntil(DWORD timeoutMs, const std::function<bool()>& done)
{
    return waitUntil(
        [&] {
            const std::string captions = uravik->answerBoxes();
            if (!captions.empty())
                answered += (answered.empty() ? "" : ",") + captions;
            return done();
        },
        timeoutMs);
}

void Session::screenshot(const std::string& name)
{
    settle(300);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    writeBmp(artifactsDirectory() + "\\" + name + ".bmp", screenImage(GetDesktopWindow(), screen));
}
