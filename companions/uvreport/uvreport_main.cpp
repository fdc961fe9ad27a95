// uvreport: the statistics of the time log as text or CSV, for scripts and
// for users without the Windows companions. "uvreport --help" tells how.
// Without files it reads yhist.dab and ytime.dab in the working directory,
// skipping only a missing yhist.dab (no history yet). The logs are read
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
#include "companions/engine/away_periods.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_file.h"
#include "companions/engine/log_format.h"
#include "companions/engine/log_report.h"
#include "companions/engine/log_statistics.h"
#include "companions/engine/log_table.h"

namespace {

namespace texts = companion_texts;

enum ExitCode { exitOk = 0, exitUnreadable = 1, exitUsage = 2 };

struct Options {
    bool csv = false;
    bool help = false;
    bool grouped = false;  // --by given
    bool includeAway = false;
    std::string awayFile;  // --away; empty: yborta.dab beside the first log
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

std::string quoted(const std::string& text)
{
    return "'" + text + "'";
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
        // A piece at a time: a report of a million titles needs no second copy.
        constexpr std::size_t piece = 1 << 16;
        for (std::size_t at = 0; at < text.size(); at += piece) {
            const std::string utf8 =
                uvlog::utf8FromWindows1252(std::string_view(text).substr(at, piece));
            std::fwrite(utf8.data(), 1, utf8.size(), stream);
        }
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stream);
}

// False, having said on standard error what was wrong, when the command
// line cannot be followed.
bool parseOptions(int argc, char** argv, Options* options)
{
    options->today = localToday();
    std::string from;
    std::string to;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--by" || arg == "--from" || arg == "--to" ||
                                arg == "--today" || arg == "--away";
        if (takesValue && i + 1 >= argc) {
            writeText(texts::reportMissingValue + arg + "\n", true, stderr);
            return false;
        }
        uvlog::CalendarDate date;
        if (arg == "--csv") {
            options->csv = true;
        } else if (arg == "--include-away") {
            options->includeAway = true;
        } else if (arg == "--away") {
            options->awayFile = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else if (arg == "--by") {
            options->grouped = true;
            const std::string value = argv[++i];
            if (!uvlog::groupingOfOption(value, &options->grouping)) {
                writeText(texts::reportBadGrouping + quoted(value) + "\n", true, stderr);
                return false;
            }
        } else if (takesValue) {
            const std::string value = argv[++i];
            if (!uvlog::parseDateText(value.c_str(), &date)) {
                writeText(texts::reportBadDate + arg + ' ' + quoted(value) + "\n", true, stderr);
                return false;
            }
            if (arg == "--from") {
                options->range.firstDay = uvlog::daysFromCivil(date);
                from = value;
            } else if (arg == "--to") {
                options->range.lastDay = uvlog::daysFromCivil(date);
                to = value;
            } else {
                options->today = date;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            writeText(texts::reportBadOption + quoted(arg) + "\n", true, stderr);
            return false;
        } else {
            options->files.push_back(arg);
        }
    }
    if (options->range.firstDay > options->range.lastDay) {
        writeText(texts::reportReversedRange + quoted(from) + " > " + quoted(to) + "\n", true,
                  stderr);
        return false;
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Says on standard error why `path` could not be read; nothing when it was.
bool reportReading(uvlog::FileReading reading, const std::string& path)
{
    const char* problem = nullptr;
    switch (reading) {
        case uvlog::FileReading::read:
            return true;
        case uvlog::FileReading::missing:
            problem = texts::reportMissingFile;
            break;
        case uvlog::FileReading::folder:
            problem = texts::reportIsFolder;
            break;
        case uvlog::FileReading::unreadable:
            problem = texts::reportCannotRead;
            break;
    }
    writeText(problem + quoted(path) + "\n", true, stderr);
    return false;
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
    // Only the tables the report shows are built.
    summary.tables = options.grouped || options.csv ? uvlog::tablesFor(options.grouping)
                                                    : unsigned(uvlog::titleTable);
    const std::string folder = folderOf(options.files.front());
    summary.privacy = uvlog::readPrivacyFile(folder + texts::privacyFileName);
    if ((summary.tables & uvlog::categoryTable) != 0)
        summary.categories = uvlog::readCategoryFile(folder + texts::categoryFileName);
    int status = exitOk;
    if (!options.includeAway) {
        // The program's own file is optional; one named on the command line is not.
        const std::string away =
            options.awayFile.empty() ? folder + data_file_format::awayFileName : options.awayFile;
        const uvlog::FileReading reading = uvlog::readAwayFile(away, &summary.away);
        if (!options.awayFile.empty() && !reportReading(reading, away))
            status = exitUnreadable;
    }
    uvlog::LogSummariser summariser(summary);
    for (const std::string& path : options.files) {
        const uvlog::FileReading reading = uvlog::summariseFile(path, summariser);
        // No history yet is no fault: the log has not outgrown its limit.
        const bool noHistoryYet = !named && path == data_file_format::historyFileName &&
                                  reading == uvlog::FileReading::missing;
        if (!noHistoryYet && !reportReading(reading, path))
            status = exitUnreadable;
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
