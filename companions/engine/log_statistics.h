#pragma once
// Sums time logs up over a chosen range of dates: time per window title and
// per application, running time per day, and one row per run of the program.
//
// What a record measures: the window that lay directly above Uravik's own
// window, and for how long. A record's period ends at the clock time it
// carries; a range counts the part of each period (and of each run) that lies
// in its days, so the window tables and the day table always agree.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "companions/engine/away_periods.h"
#include "companions/engine/calendar.h"
#include "companions/engine/categories.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/privacy.h"

namespace uvlog {

constexpr int statisticsDayCount = 30;

enum class Grouping { title, application, category, day, hour, run };

// The tables a summary builds beyond the days and runs, which are always
// there: a view asks only for what it shows.
enum SummaryTable : unsigned {
    titleTable = 1,
    applicationTable = 2,
    hourTable = 4,
    categoryTable = 8,
    allTables = 15,
};

// The tables that `grouping` shows.
unsigned tablesFor(Grouping grouping);

// A title or an application, with the time it lay above Uravik's window.
struct TitleTime {
    std::string title;
    std::uint64_t seconds = 0;
    std::uint64_t periods = 0;
};

struct DayTime {
    CalendarDate date;
    std::uint64_t seconds = 0;      // the program's running time on that day
    std::uint64_t awaySeconds = 0;  // of the windows' time that day, the time away
};

struct RunRow {
    std::uint64_t startupNumber = 0;
    bool numbered = false;  // a readable header gave the start-up number
    bool dated = false;     // the header gave a real start date and time
    std::int64_t startMoment = 0;
    std::int64_t lastRecordMoment = 0;  // when the last record was written, if dated
    std::uint64_t runningSeconds = 0;   // run time of the run's last record
    std::uint64_t records = 0;
    std::uint64_t onlineSeconds = 0;
    // The run's "WINDOWS" record: from the start of the operating system to
    // the program's first record. Each run has its own; runs of one boot of
    // the computer must never be added up.
    bool hasSystemStart = false;
    std::uint64_t sinceSystemStartSeconds = 0;
    std::uint64_t awaySeconds = 0;  // of its records' periods, the time away
};

struct SummaryOptions {
    CalendarDate today;
    DateRange range;
    PrivacyList privacy;
    CategoryList categories;
    unsigned tables = allTables;
    // Left out of the windows' time where a record's period overlaps them;
    // none to count the time away with the windows.
    AwayPeriods away{};
};

struct LogStatistics {
    // Largest first; equal times in byte order of the name. Hidden titles
    // are summed under "(dolt)".
    std::vector<TitleTime> titles;
    std::vector<TitleTime> applications;
    // By the user's category rules; titles no rule matches as "(övrigt)".
    std::vector<TitleTime> categories;
    // The 30 days that end with the range (or today), oldest first; days
    // outside the range count nothing.
    std::vector<DayTime> days;
    // Every day of the range with running time, oldest first.
    std::vector<DayTime> rangeDays;
    // Window time in each hour of the day, 00 to 23, within the range.
    std::array<std::uint64_t, 24> hours{};
    // The runs that reach into the range, in the order they started.
    std::vector<RunRow> runs;

    std::uint64_t startupCount = 0;  // runs in the range
    std::uint64_t recordCount = 0;   // records in the range
    std::uint64_t rawLineCount = 0;
    std::uint64_t longestRunSeconds = 0;
    std::uint64_t averageRunSeconds = 0;
    std::uint64_t runningSeconds = 0;  // running time within the range
    std::uint64_t onlineSeconds = 0;   // periods of records marked on line
    std::uint64_t windowSeconds = 0;   // periods of all window records, the time away left out
    // The time away that lay in the records' periods, and the away periods
    // it came from; shown as "(borta)" when the away periods are counted.
    bool awayCounted = false;
    std::uint64_t awaySeconds = 0;
    std::uint64_t awayPeriods = 0;
    // The total running time as the latest record in the range (by its
    // moment, whatever the order of the files) states it.
    std::uint64_t latestTotalSeconds = 0;
};

// The application of a title: its text after the last " - " (the usual
// "document - program" form), or the whole title without one.
std::string_view applicationOf(std::string_view title);

// Sums logs up entry by entry, so that a log of any size can be read in
// pieces and forgotten. Feed every log in any order, then call finish().
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
    struct Tally {
        std::uint64_t seconds = 0;
        std::uint64_t periods = 0;
    };
    // One distinct title: its own time, and where its time goes (itself or
    // the hidden row, and its application), settled once per title.
    struct TitleTally {
        Tally own;
        Tally* shown = nullptr;
        Tally* application = nullptr;
        Tally* category = nullptr;
    };
    struct RunExtra {
        std::uint64_t onlineSeconds = 0;
        bool hasSystemStart = false;
        std::uint64_t sinceSystemStartSeconds = 0;
        bool hasLastRecord = false;
        std::int64_t lastRecordMoment = 0;
        std::uint64_t lastRunSeconds = 0;
        std::uint64_t awaySeconds = 0;
        // Where an undated run sorts: after the dated run before it.
        std::int64_t sortMoment = 0;
    };
    TitleTally& titleOf(std::string_view title);
    void addWindowTime(const ParsedLog& log, const LogEntry& entry, bool dated, std::int64_t end,
                       RunExtra* extra);
    void addRunTime(const ParsedLog& log, const LogEntry& entry, std::int64_t end, RunExtra& extra);
    void addRun(const RunHeader& run, const RunExtra& extra);
    void addDaySeconds(std::int64_t day, std::uint64_t seconds);

    SummaryOptions options_;
    LogStatistics stats_;
    // Each distinct title once; the tallies do not move when the maps grow.
    std::unordered_map<std::string, TitleTally> titles_;
    std::unordered_map<std::string, Tally> applications_;
    Tally hidden_;
    std::vector<Tally> categories_;    // by index into the rules' names, "(övrigt)" last
    std::string key_;                  // the title looked up, kept to spare allocations
    std::vector<RunExtra> runExtras_;  // of the current log, by run index
    std::int64_t lastDatedStart_ = 0;
    std::unordered_map<std::int64_t, std::uint64_t> daySeconds_;
    std::unordered_map<std::int64_t, std::uint64_t> awayDaySeconds_;
    std::vector<bool> awayShown_;      // by merged away period: some of it was counted
    std::uint64_t* daySum_ = nullptr;  // the last day added to; map values do not move
    std::int64_t dayOfSum_ = 0;
    std::uint64_t longestRun_ = 0;
    std::uint64_t runTimeSum_ = 0;
    bool latestDated_ = false;
    std::int64_t latestMoment_ = 0;
    struct SortedRun {
        std::int64_t moment;
        RunRow row;
    };
    std::vector<SortedRun> sortedRuns_;
};

LogStatistics summarise(const std::vector<const ParsedLog*>& logs, const SummaryOptions& options);

// The common case of the tests: everything, no privacy list.
LogStatistics summariseLogs(const std::vector<const ParsedLog*>& logs, CalendarDate today);

}  // namespace uvlog
