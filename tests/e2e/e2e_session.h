#pragma once
// The session every end-to-end test runs in: a data folder of its own under
// the temporary folder, the program started there as a person would and
// closed at the end, and the folder's data files kept for a look under the
// build folder's artifacts when the test failed, and only then.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "companions/testing/win32_test_support.h"
#include "tests/e2e/e2e_desktop.h"
#include "tests/e2e/e2e_process.h"

class Session : public ::testing::Test {
protected:
    void TearDown() override;

    // A state file of earlier runs and an empty log, so start-up has
    // nothing to report.
    void prepareFiles() const;
    // Starts `exe` in `dir` and waits for its window; false when none came.
    bool start(const std::function<bool(HWND)>& accept = runsItsClock,
               const std::string& exe = uravikExe());
    // Answers the program's boxes as they come, as a user clicking OK would,
    // until `done` holds, at most `timeoutMs`; whether it came to hold.
    // `answered` gathers their captions, comma-separated.
    bool answerUntil(std::string& answered, const std::function<bool()>& done, DWORD timeoutMs);
    // Starts the program, answering its boxes until its clock runs.
    bool startAnswering(std::string& answered)
    {
        return start([](HWND) { return true; }) &&
               answerUntil(
                   answered, [&] { return runsItsClock(window); }, 20000);
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
};
