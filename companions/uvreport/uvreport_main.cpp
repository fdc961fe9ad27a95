// uvreport: the statistics of the time log as text, for scripts and tests.
//   uvreport [--csv] [--top N] [--today YYYY-MM-DD] [FILE ...]
// Without files it reads yhist.dab and ytime.dab in the working directory,
// skipping a missing one as the statistics program does.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_report.h"
#include "companions/engine/log_statistics.h"

namespace {

namespace texts = companion_texts;

enum ExitCode { exitOk = 0, exitUnreadable = 1, exitUsage = 2 };

struct Options {
    bool csv = false;
    std::size_t topTitles = 0;
    uvlog::CalendarDate today;
    std::vector<std::string> files;
};

uvlog::CalendarDate localToday()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

bool parseDate(const char* text, uvlog::CalendarDate* date)
{
    int consumed = 0;
    if (std::sscanf(text, "%4d-%2d-%2d%n", &date->year, &date->month, &date->day, &consumed) != 3)
        return false;
    return text[consumed] == '\0' && uvlog::isValidDate(*date);
}

bool parseOptions(int argc, char** argv, Options* options)
{
    options->today = localToday();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--csv") {
            options->csv = true;
        } else if (arg == "--top" && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long top = std::strtoul(argv[++i], &end, 10);
            if (*end != '\0')
                return false;
            options->topTitles = top;
        } else if (arg == "--today" && i + 1 < argc) {
            if (!parseDate(argv[++i], &options->today))
                return false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "%s%s\n", texts::reportBadOption, arg.c_str());
            return false;
        } else {
            options->files.push_back(arg);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fputs(texts::reportUsage, stderr);
        return exitUsage;
    }
    const bool named = !options.files.empty();
    if (!named)
        options.files = {texts::historyFileName, texts::logFileName};

    std::vector<uvlog::ParsedLog> logs;
    logs.reserve(options.files.size());
    int status = exitOk;
    for (const std::string& path : options.files) {
        std::string bytes;
        if (!uvlog::readFileFrom(path, 0, bytes)) {
            if (named) {
                std::fprintf(stderr, "%s%s\n", texts::reportCannotRead, path.c_str());
                status = exitUnreadable;
            }
            continue;
        }
        logs.push_back(uvlog::parseLog(bytes));
    }
    std::vector<const uvlog::ParsedLog*> sources;
    for (const uvlog::ParsedLog& log : logs)
        sources.push_back(&log);
    const uvlog::LogStatistics stats = uvlog::summariseLogs(sources, options.today);

    const std::string text = options.csv ? uvlog::titleTableCsv(stats)
                                         : uvlog::statisticsReport(stats, options.topTitles);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return status;
}
