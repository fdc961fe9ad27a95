#pragma once
// Sums time logs up over a chosen range of dates: time per window title and
// per application, running time per day, and one row per run of the program.
//
// What a record measures: the window that lay directly above Uravik's own
// window, and for how long. A record belongs to the date on which its period
// ends, reckoned from its run's start-up date and time plus its run time.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "companions/engine/calendar.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/privacy.h"

namespace uvlog {

constexpr int statisticsDayCount = 30;

enum class Grouping { title, application, day, run };

// A title or an application, with the time it lay above Uravik's window.
struct TitleTime {
    std::string title;
    std::uint64_t seconds = 0;
    std::uint64_t periods = 0;
};

struct DayTime {
    CalendarDate date;
    std::uint64_t seconds = 0;  // the program's running time on that day
};

struct RunRow {
    std::uint64_t startupNumber = 0;
    bool dated = false;  // the header gave a real start date and time
    std::int64_t startMoment = 0;
    std::uint64_t runningSeconds = 0;  // run time of the run's last record
    std::uint64_t records = 0;
    std::uint64_t onlineSeconds = 0;
    // The run's "WINDOWS" record: from the start of the operating system to
    // the program's first record. Each run has its own; runs of one boot of
    // the computer must never be added up.
    bool hasSystemStart = false;
    std::uint64_t sinceSystemStartSeconds = 0;
};

struct SummaryOptions {
    CalendarDate today;
    DateRange range;
    PrivacyList privacy;
};

struct LogStatistics {
    // Largest first; equal times in byte order of the name. Hidden titles
    // are summed under "(dolt)".
    std::vector<TitleTime> titles;
    std::vector<TitleTime> applications;
    // The 30 days that end with the range (or today), oldest first; days
    // outside the range count nothing.
    std::vector<DayTime> days;
    // Every day of the range with running time, oldest first.
    std::vector<DayTime> rangeDays;
    // The runs that reach into the range, in log order.
    std::vector<RunRow> runs;

    std::uint64_t startupCount = 0;  // runs in the range
    std::uint64_t recordCount = 0;   // records in the range
    std::uint64_t rawLineCount = 0;
    std::uint64_t longestRunSeconds = 0;
    std::uint64_t averageRunSeconds = 0;
    std::uint64_t runningSeconds = 0;  // running time within the range
    std::uint64_t onlineSeconds = 0;   // periods of records marked on line
    std::uint64_t windowSeconds = 0;   // periods of all window records
    // The total running time as the latest record in the range states it.
    std::uint64_t latestTotalSeconds = 0;
};

// The moment at which a record's period ends; false when its run has no
// usable start date.
bool recordEndMoment(const ParsedLog& log, const LogEntry& entry, std::int64_t* moment);

// The application of a title: its text after the last " - " (the usual
// "document - program" form), or the whole title without one.
std::string_view applicationOf(std::string_view title);

// Sums logs up entry by entry, so that a log of any size can be read in
// pieces and forgotten. Feed every log in order (the history before the time
// log, so the latest record comes last), then call finish().
class LogSummariser {
public:
    explicit LogSummariser(SummaryOptions options);

    // Begins the next log file.
    void beginLog();
    // One entry of the current log; `log` holds its text and runs.
    void addEntry(const ParsedLog& log, const LogEntry& entry);
    // Ends the current log: its runs are final now.
    void endLog(const ParsedLog& log);

    LogStatistics finish();

private:
    struct RunExtra {
        std::uint64_t onlineSeconds = 0;
        bool hasSystemStart = false;
        std::uint64_t sinceSystemStartSeconds = 0;
    };
    // Where a title's time goes: its row among the titles and among the
    // applications, settled once per distinct title.
    struct TitleSlots {
        std::size_t title = 0;
        std::size_t application = 0;
    };
    const TitleSlots& slotsOf(std::string_view title);
    void addRun(const RunHeader& run, const RunExtra& extra);

    SummaryOptions options_;
    LogStatistics stats_;
    // Keys point into seenTitles_, which never moves its strings.
    std::unordered_map<std::string_view, TitleSlots> slots_;
    std::deque<std::string> seenTitles_;
    std::unordered_map<std::string, std::size_t> titleIndex_;
    std::unordered_map<std::string, std::size_t> applicationIndex_;
    std::vector<RunExtra> runExtras_;  // of the current log, by run index
    std::unordered_map<std::int64_t, std::uint64_t> daySeconds_;
    std::uint64_t longestRun_ = 0;
    std::uint64_t runTimeSum_ = 0;
};

LogStatistics summarise(const std::vector<const ParsedLog*>& logs, const SummaryOptions& options);

// The common case of the tests: everything, no privacy list.
LogStatistics summariseLogs(const std::vector<const ParsedLog*>& logs, CalendarDate today);

}  // namespace uvlog
