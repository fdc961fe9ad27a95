#pragma once
// The session every end-to-end test runs in: a data folder of its own under
// the temporary folder, the program started there as a person would and
// closed at the end, and the folder's data files kept for a look under the
// build folder's artifacts when the test failed, and only then.

#include <gmock/gmock.h>

#include <fstream>
#include <memory>

#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"
#include "tests/sample_state.h"

// The matchers every end-to-end test uses.
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class Session : public ::testing::Test {
protected:
    // A state file of earlier runs, with `sampleTotal` seconds, and an empty
    // log, so start-up has nothing to report; a test of start-up's reports
    // deletes what it needs missing.
    Session()
    {
        write("ysave.dab", sampleState("\r\n"));
        write("ytime.dab", "");
    }
    void TearDown() override;

    static constexpr long sampleTotal = 312 * 3600 + 5 * 60 + 48;
    // The total running time in seconds that ysave.dab holds.
    long savedTotal() const;
    // Starts `exe` in `dir` and waits for its window; false when none came.
    bool start(const std::function<bool(HWND)>& accept = runsItsClock,
               const std::string& exe = uravikExe());
    // Answers the program's boxes as they come, as a user clicking OK would,
    // until `done` holds (never, when not given), at most `timeoutMs`;
    // whether it came to hold. `answered` gathers their captions,
    // comma-separated.
    bool answerUntil(
        DWORD timeoutMs, const std::function<bool()>& done = [] { return false; });
    // Starts the program, answering its boxes until its clock runs.
    bool startAnswering()
    {
        return start([](HWND) { return true; }) &&
               answerUntil(20000, [&] { return runsItsClock(window); });
    }
    std::string path(const std::string& name) const { return dir + "\\" + name; }
    std::string read(const std::string& name) const { return readFile(path(name)); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    // Saves the screen as NAME.bmp among the artifacts.
    static void screenshot(const std::string& name);

    companion_test::TemporaryFolder folder;
    std::string dir = folder.path();  // or a folder the build prepared
    std::unique_ptr<UravikProcess> uravik;
    HWND window = nullptr;
    std::string answered;
};
