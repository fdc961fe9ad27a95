// What the file work costs on this machine: one record (the append to the log
// and the atomic rewrite of the state file, flushed to disk), reading the
// state file, and the start-up move of a 4 MB log into the history.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/shell_state.h"
#include "app/window_title.h"
#include "common/data_file_format.h"
#include "tests/fake_host/fake_host.h"
#include "tests/fresh_program_state.h"
#include "tests/sample_state.h"
#include "timekeeping/clock.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

namespace texts = data_file_format;

namespace {

// A fresh program in a fresh directory on the disk (not in memory), with a
// state file of a long-used installation.
class Workspace {
public:
    Workspace()
    {
        char pattern[] = "/var/tmp/uravik-bench-XXXXXX";
        directory_ = mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_);
        fakeHost = FakeHost{};
        resetProgramState();
        write(texts::stateFileName, sampleState());
        fakeHost.tick = 1'000'000;
        captureDateTime();
        loadState();
    }
    ~Workspace()
    {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }
    static void write(const char* name, const std::string& content)
    {
        std::FILE* file = std::fopen(name, "w");
        std::fputs(content.c_str(), file);
        std::fclose(file);
    }

private:
    std::filesystem::path directory_;
    std::filesystem::path previous_;
};

void BM_RecordWithStateSave(benchmark::State& state)
{
    Workspace workspace;
    fakeHost.titles = {{1, "Anteckningar"}, {2, "Uravik testfönster"}};
    updateCounters();
    writeLogRecord();  // the header
    for (auto _ : state) {
        shared.windowAbove = shared.windowAbove == 1 ? 2 : 1;
        fakeHost.tick += 100;
        updateCounters();
        writeLogRecord();
    }
    if (!fakeHost.messages.empty())
        state.SkipWithError("a file could not be written");
}
BENCHMARK(BM_RecordWithStateSave)->Unit(benchmark::kMillisecond);

void BM_LoadState(benchmark::State& state)
{
    Workspace workspace;
    for (auto _ : state)
        loadState();
}
BENCHMARK(BM_LoadState)->Unit(benchmark::kMicrosecond);

void BM_MoveFourMegabyteLog(benchmark::State& state)
{
    Workspace workspace;
    const std::string line =
        "     1           0:00:01      312:05:49        08:17:14"
        "           0:03:12    Anteckningar\n";
    std::string log;
    while (log.size() < 4'000'001)
        log += line;
    for (auto _ : state) {
        state.PauseTiming();
        Workspace::write(texts::logFileName, log);
        state.ResumeTiming();
        checkLogSize(announceLogMove);
    }
    if (!fakeHost.messages.empty() || std::filesystem::file_size(texts::logFileName) != 0)
        state.SkipWithError("the log was not moved");
}
BENCHMARK(BM_MoveFourMegabyteLog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
