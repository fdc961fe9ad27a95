// Parse and summarise a 4 MB time log (about 25,000 records), the size the
// log reaches before the program moves it into the history. Target: well
// under 50 ms, so the statistics and the reader open at once.

#include <benchmark/benchmark.h>

#include <string>

#include "companions/engine/log_format.h"
#include "companions/engine/log_rows.h"
#include "companions/engine/log_statistics.h"
#include "companions/testing/sample_log.h"

namespace {

const std::string& fourMegabyteLog()
{
    static const std::string log = [] {
        uvlog::SampleLogPlan plan;
        plan.runs = 100;
        plan.recordsPerRun = 250;
        return uvlog::makeSampleLog(plan);
    }();
    return log;
}

void setCounters(benchmark::State& state, const std::string& text)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void parseAndSummarise(benchmark::State& state)
{
    const std::string& text = fourMegabyteLog();
    std::size_t records = 0;
    for (auto _ : state) {
        const uvlog::ParsedLog log = uvlog::parseLog(text);
        const uvlog::LogStatistics stats = uvlog::summariseLogs({&log}, {2024, 3, 7});
        records = stats.recordCount;
        benchmark::DoNotOptimize(stats.titles.data());
    }
    setCounters(state, text);
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(parseAndSummarise)->Unit(benchmark::kMillisecond);

void parseOnly(benchmark::State& state)
{
    const std::string& text = fourMegabyteLog();
    for (auto _ : state) {
        const uvlog::ParsedLog log = uvlog::parseLog(text);
        benchmark::DoNotOptimize(log.entries.data());
    }
    setCounters(state, text);
}
BENCHMARK(parseOnly)->Unit(benchmark::kMillisecond);

// The reader's filter runs on every keystroke.
void filterRows(benchmark::State& state)
{
    const uvlog::ParsedLog log = uvlog::parseLog(fourMegabyteLog());
    uvlog::RowSources sources;
    sources.log = &log;
    const std::string filter = uvlog::foldCase("\xC5RETS");
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = uvlog::buildRows(sources, filter).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(filterRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
