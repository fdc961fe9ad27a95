// Any bytes at all as ysave.dab: loadState must take them without a crash or
// a sanitizer report, keep every value within its range, and what saveState
// then writes must read back whole with the same values.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/data_file_format.h"
#include "tests/fake_host/fake_host.h"
#include "timekeeping/clock.h"
#include "timekeeping/decimal_value.h"
#include "timekeeping/state_file.h"

namespace {

struct Loaded {
    std::int32_t startupCount, hours, minutes, seconds, appTotal;
    std::int64_t maxLogSize;
    bool complaint;
};

Loaded load()
{
    fakeHost = FakeHost{};
    clockState = ClockState{};
    stateFile = StateFileState{};
    fakeHost.tick = 1000;
    captureDateTime();
    loadState();
    reportStateFile();
    return {stateFile.startupCount,    clockState.savedHours,
            clockState.savedMinutes,   clockState.savedSeconds,
            stateFile.savedAppTotal,   decimalValue(stateFile.maxLogSizeText),
            !fakeHost.messages.empty()};
}

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

char workDirectory[64];

// An unreadable input is kept under the first free of ten names; each input
// starts with all ten free, so every one can be kept.
void removeKeptFiles()
{
    std::remove(data_file_format::keptStateFileName);
    char name[16];
    for (int n = 1; n <= 9; ++n) {
        std::snprintf(name, sizeof name, data_file_format::keptStateFileNumbered, n);
        std::remove(name);
    }
}

void removeWorkDirectory()
{
    std::remove(data_file_format::stateFileName);
    std::remove(data_file_format::stateTempFileName);
    removeKeptFiles();
    if (chdir("/") == 0)
        rmdir(workDirectory);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A memory file system where there is one: each input is saved, flushed
    // and replaced, and a disk would make that the whole cost.
    std::snprintf(workDirectory, sizeof workDirectory, "/dev/shm/uravik-fuzz-XXXXXX");
    if (mkdtemp(workDirectory) == nullptr) {
        std::snprintf(workDirectory, sizeof workDirectory, "/tmp/uravik-fuzz-XXXXXX");
        if (mkdtemp(workDirectory) == nullptr)
            std::abort();
    }
    if (chdir(workDirectory) != 0)
        std::abort();
    std::atexit(removeWorkDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    removeKeptFiles();
    std::FILE* file = std::fopen(data_file_format::stateFileName, "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const Loaded first = load();
    check(first.startupCount >= 1 && first.hours >= 0 && first.appTotal >= 0);
    check(first.minutes >= 0 && first.minutes <= 59 && first.seconds >= 0 && first.seconds <= 59);
    check(std::strlen(stateFile.maxLogSizeText) <= 8);

    updateCounters();  // no time has passed: the totals are the saved ones
    const std::size_t complaints = fakeHost.messages.size();
    saveState();
    check(fakeHost.messages.size() == complaints);

    const Loaded second = load();
    check(!second.complaint);
    check(second.hours == first.hours && second.minutes == first.minutes &&
          second.seconds == first.seconds);
    check(second.maxLogSize == (first.maxLogSize > 4000000 ? 4000000 : first.maxLogSize));
    // Counts that still fit the eight digits the reader takes come back grown.
    if (first.startupCount < 99999999)
        check(second.startupCount == first.startupCount + 1);
    if (first.appTotal < 99999999)
        check(second.appTotal == first.appTotal + 1);
    return 0;
}
