#pragma once
// Fixtures that give each test a freshly started program and a fresh fake;
// the persistence tests also run in an empty working directory of their own,
// on real files.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/fake_host/fake_host.h"
#include "tests/fresh_program_state.h"

// `name` in a folder of this test process's own, removed when it ends:
// other engineers' and CI's test runs share the system's temporary folder.
std::string scratchPath(const std::string& name);

class FreshState : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeHost = FakeHost{};
        resetProgramState();
    }
};

class PersistenceTest : public FreshState {
public:
    void SetUp() override;
    void TearDown() override;

    // Starts the run at `tick` ms after the system started.
    static void startRun(std::uint64_t tick);
    // Lets `ms` pass and brings the counters up to date, as the tick does.
    static void runFor(std::uint64_t ms);
    // A new start-up over the files of the last run, as the program makes it,
    // with main window 77. The fake keeps its settings and forgets its boxes.
    static void startUp(std::uint64_t tick = 1'000'000);
    // Runs `count` ticks 100 ms apart, as the window procedure does.
    static void ticks(int count);
    // The same with `window` above Uravik's.
    static void ticksWith(host::WindowHandle window, int count = 1);

    static std::string readFile(const char* name);
    // The file's lines without their line ends.
    static std::vector<std::string> readLines(const char* name);
    static void writeFile(const char* name, const std::string& content);
    static bool exists(const char* name);

    // Makes the file unwritable even for root, as the read-only attribute
    // does on Windows, or writable again when `on` is false. Returns whether
    // it is unwritable now: false after `on` when this system cannot. Undone
    // at the end.
    bool setReadOnly(const char* name, bool on = true);

private:
    std::string directory_;
    std::string previousDirectory_;
    std::vector<std::string> unwritable_;
};
