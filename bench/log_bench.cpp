// Parse and summarise a 4 MB time log (about 25,000 records), the size the
// log reaches before the program moves it into the history. Target: well
// under 50 ms for the statistics with a range, the grouping by title and by
// application and a privacy list, read from the file a piece at a time as
// uvstat and uvreport do; the reader's parse and filter as well.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "companions/engine/calendar.h"
#include "companions/engine/log_file.h"
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

// What the statistics window does on opening: the file in pieces, a
// privacy list of three patterns, over everything (0) or this month (1).
void summariseFileWithRangeAndPrivacy(benchmark::State& state)
{
    const std::string& text = fourMegabyteLog();
    const std::string path = "uvlog_bench_ytime.dab";
    std::ofstream(path, std::ios::binary) << text;
    uvlog::SummaryOptions options;
    options.today = {2024, 3, 7};
    options.range = uvlog::presetRange(
        state.range(0) == 0 ? uvlog::RangePreset::all : uvlog::RangePreset::thisMonth,
        options.today);
    options.privacy = uvlog::parsePrivacyList("*bank*\r\nDagbok - *\r\n*hemlig*\r\n");
    std::size_t records = 0;
    std::size_t applications = 0;
    for (auto _ : state) {
        uvlog::LogSummariser summariser(options);
        uvlog::summariseFile(path, summariser);
        const uvlog::LogStatistics stats = summariser.finish();
        records = stats.recordCount;
        applications = stats.applications.size();
        benchmark::DoNotOptimize(stats.titles.data());
    }
    std::remove(path.c_str());
    setCounters(state, text);
    state.counters["records"] = static_cast<double>(records);
    state.counters["applications"] = static_cast<double>(applications);
}
BENCHMARK(summariseFileWithRangeAndPrivacy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
