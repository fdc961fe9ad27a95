// libFuzzer target: any bytes as ytime.dab, and the same bytes as the
// privacy list (uvdolt.txt), the category rules (uvkategori.txt), in any
// encoding, and the away periods (yborta.dab). The reader must neither crash nor lose its
// footing, and reading in two pieces must give what reading at once gives
// (the reader follows a growing file that way). Every pattern the list reads
// must match its own text with the stars taken out.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "companions/engine/away_periods.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/log_report.h"
#include "companions/engine/log_rows.h"
#include "companions/engine/log_statistics.h"
#include "companions/engine/privacy.h"
#include "companions/engine/user_text_file.h"

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkSameReading(const uvlog::ParsedLog& a, const uvlog::ParsedLog& b)
{
    check(a.entries.size() == b.entries.size());
    check(a.runs.size() == b.runs.size());
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const uvlog::LogEntry& x = a.entries[i];
        const uvlog::LogEntry& y = b.entries[i];
        check(x.kind == y.kind && x.run == y.run && x.number == y.number &&
              x.textOffset == y.textOffset && x.textLength == y.textLength &&
              x.online == y.online && x.sinceOsStart == y.sinceOsStart);
        check(x.textOffset + x.textLength <= a.text.size());
        check(x.run < static_cast<std::int32_t>(a.runs.size()));
    }
    for (std::size_t i = 0; i < a.runs.size(); ++i) {
        check(a.runs[i].recordCount == b.runs[i].recordCount);
        check(a.runs[i].lastRunSeconds == b.runs[i].lastRunSeconds);
        check(a.runs[i].entry < a.entries.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const uvlog::ParsedLog whole = uvlog::parseLog(bytes);

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    uvlog::ParsedLog pieces = uvlog::parseLog(bytes.substr(0, cut));
    uvlog::appendLogText(pieces, bytes.substr(cut));
    checkSameReading(whole, pieces);

    uvlog::SummaryOptions options;
    options.today = {2024, 3, 7};
    options.privacy = uvlog::parsePrivacyList(bytes);
    check(options.privacy.foldedPatterns.size() <= uvlog::privacyMaxPatterns);
    for (const std::string& pattern : options.privacy.foldedPatterns) {
        std::string plain;
        for (char c : pattern) {
            if (c != '*')
                plain += c;
        }
        check(uvlog::wildcardMatches(pattern, plain));
    }
    // The user's files come in any encoding; every rule names a category.
    options.categories = uvlog::parseCategoryList(uvlog::windows1252FromUserText(bytes));
    check(options.categories.rules.size() <= uvlog::categoryMaxRules);
    for (const uvlog::CategoryList::Rule& rule : options.categories.rules)
        check(rule.category < options.categories.names.size() && !rule.foldedPattern.empty());
    // The away periods count each second once: sorted, apart, none empty.
    options.away = uvlog::parseAwayPeriods(bytes);
    for (std::size_t i = 0; i < options.away.merged.size(); ++i) {
        check(options.away.merged[i].begin < options.away.merged[i].end);
        check(i == 0 || options.away.merged[i - 1].end < options.away.merged[i].begin);
    }
    if (size > 0)
        options.range = {uvlog::daysFromCivil({2024, 3, 7}) - data[size - 1] % 64,
                         uvlog::daysFromCivil({2024, 3, 7})};
    const uvlog::LogStatistics stats = uvlog::summarise({&whole, &pieces}, options);
    check(stats.days.size() == uvlog::statisticsDayCount);
    check(stats.recordCount <= 2 * whole.entries.size());
    // Every second of window time lies in exactly one category.
    std::uint64_t categorySum = 0;
    for (const uvlog::TitleTime& row : stats.categories)
        categorySum += row.seconds;
    check(categorySum == stats.windowSeconds || stats.windowSeconds == UINT64_MAX);
    for (uvlog::Grouping grouping :
         {uvlog::Grouping::title, uvlog::Grouping::application, uvlog::Grouping::category,
          uvlog::Grouping::day, uvlog::Grouping::hour, uvlog::Grouping::run}) {
        uvlog::tableCsv(stats, grouping);
        uvlog::statisticsReport(stats, false, grouping, uvlog::rangeText(options.range));
    }
    uvlog::dayChartCsv(stats);

    uvlog::RowSources sources;
    sources.history = &pieces;
    sources.log = &whole;
    sources.logName = "ytime.dab";
    sources.privacy = &options.privacy;
    sources.away = &options.away;
    const std::string filter = uvlog::foldCase(bytes.substr(0, size % 4));
    const std::vector<uvlog::LogRow> rows = uvlog::buildRows(sources, filter);
    check(rows.size() <= 2 * whole.entries.size() + 1 + options.away.lines.size());
    for (std::size_t i = 0; i < rows.size() && i < 64; ++i) {
        for (int column = 0; column < uvlog::readerColumnCount; ++column)
            uvlog::cellText(sources, rows[i], static_cast<uvlog::ReaderColumn>(column));
    }
    return 0;
}
