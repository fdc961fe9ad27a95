#pragma once
// Each persistence test runs in a fresh, empty working directory of its own,
// on real files, with a freshly started program and fake.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/fresh_state.h"

class PersistenceTest : public FreshState {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the run at `tick` ms after the system started.
    static void startRun(std::uint64_t tick);
    // Lets `ms` pass and brings the counters up to date, as the tick does.
    static void runFor(std::uint64_t ms);

    static std::string readFile(const char* name);
    static void writeFile(const char* name, const std::string& content);
    static bool exists(const char* name);

    // Makes the file unwritable even for root (immutable attribute), as the
    // read-only attribute does on Windows; false when this system cannot.
    bool makeUnwritable(const char* name);
    // Undoes makeUnwritable.
    void makeWritable(const char* name);

    std::vector<std::string> captions() const;

private:
    std::string directory_;
    std::string previousDirectory_;
    std::vector<std::string> unwritable_;
};
