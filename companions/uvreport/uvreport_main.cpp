// uvreport: the statistics of the time log as text or CSV, for scripts and
// for users without the Windows companions. "uvreport --help" tells how.
// Without files it reads yhist.dab and ytime.dab in the working directory,
// skipping a missing one as the statistics program does. The logs are read
// a piece at a time, so their size does not matter.

#include <clocale>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#endif

#include "common/data_file_format.h"
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
    bool help = false;
    bool grouped = false;  // --by given
    uvlog::Grouping grouping = uvlog::Grouping::title;
    uvlog::CalendarDate today;
    uvlog::DateRange range;
    std::vector<std::string> files;
};

uvlog::CalendarDate localToday()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

bool parseGrouping(const std::string& text, uvlog::Grouping* grouping)
{
    static const std::pair<const char*, uvlog::Grouping> names[] = {
        {"title", uvlog::Grouping::title},
        {"app", uvlog::Grouping::application},
        {"day", uvlog::Grouping::day},
        {"run", uvlog::Grouping::run},
    };
    for (const auto& [name, value] : names) {
        if (text == name) {
            *grouping = value;
            return true;
        }
    }
    return false;
}

// Text for a person goes out in the terminal's encoding; CSV stays
// Windows-1252 for the spreadsheet.
void writeText(const std::string& text, bool forPerson, std::FILE* stream = stdout)
{
#ifdef _WIN32
    HANDLE out = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (forPerson && GetConsoleMode(out, &mode)) {
        const int length =
            MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
        DWORD written = 0;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#else
    std::setlocale(LC_CTYPE, "");
    const std::string codeset = nl_langinfo(CODESET);
    if (forPerson && (codeset == "UTF-8" || codeset == "utf8")) {
        const std::string utf8 = uvlog::utf8FromWindows1252(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool parseOptions(int argc, char** argv, Options* options)
{
    options->today = localToday();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        uvlog::CalendarDate date;
        if (arg == "--csv") {
            options->csv = true;
        } else if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else if (arg == "--by" && hasValue) {
            options->grouped = true;
            if (!parseGrouping(argv[++i], &options->grouping))
                return false;
        } else if ((arg == "--from" || arg == "--to" || arg == "--today") && hasValue) {
            if (!uvlog::parseDateText(argv[++i], &date))
                return false;
            if (arg == "--from")
                options->range.firstDay = uvlog::daysFromCivil(date);
            else if (arg == "--to")
                options->range.lastDay = uvlog::daysFromCivil(date);
            else
                options->today = date;
        } else if (arg.size() > 1 && arg[0] == '-') {
            writeText(texts::reportBadOption + arg + "\n", true, stderr);
            return false;
        } else {
            options->files.push_back(arg);
        }
    }
    return options->range.firstDay <= options->range.lastDay;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    const bool understood = parseOptions(argc, argv, &options);
    if (!understood || options.help) {
        // On standard error when it answers a mistake.
        writeText(texts::reportUsage, true, understood ? stdout : stderr);
        return understood ? exitOk : exitUsage;
    }
    const bool named = !options.files.empty();
    if (!named)
        options.files = {data_file_format::historyFileName, data_file_format::logFileName};

    uvlog::SummaryOptions summary;
    summary.today = options.today;
    summary.range = options.range;
    summary.privacy =
        uvlog::readPrivacyFile(folderOf(options.files.front()) + texts::privacyFileName);
    uvlog::LogSummariser summariser(summary);
    int status = exitOk;
    for (const std::string& path : options.files) {
        if (!uvlog::summariseFile(path, summariser) && named) {
            writeText(texts::reportCannotRead + path + "\n", true, stderr);
            status = exitUnreadable;
        }
    }
    const uvlog::LogStatistics stats = summariser.finish();

    if (options.csv)
        writeText(uvlog::tableCsv(stats, options.grouping), false);
    else
        writeText(uvlog::statisticsReport(stats, !options.grouped, options.grouping,
                                          uvlog::rangeText(options.range)),
                  true);
    return status;
}
