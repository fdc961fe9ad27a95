// Writes a sample working directory: ysave.dab, ytime.dab and yhist.dab.
//   make_sample_log DIR [RECORDS [YYYY-MM-DD [PER_RUN]]]
// RECORDS (default 25000) is the size of ytime.dab, in runs of PER_RUN
// records (default 250), one run a day; the last run ends on the given day
// (default today), so the statistics' last 30 days have data.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "common/data_file_format.h"
#include "companions/engine/calendar.h"
#include "companions/testing/sample_log.h"

namespace {

namespace format = data_file_format;

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 5) {
        std::fputs("usage: make_sample_log DIR [RECORDS [YYYY-MM-DD [PER_RUN]]]\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const long records = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 25000;
    uvlog::CalendarDate today;
    if (argc > 3) {
        if (std::sscanf(argv[3], "%d-%d-%d", &today.year, &today.month, &today.day) != 3 ||
            !uvlog::isValidDate(today)) {
            std::fputs("make_sample_log: bad date\n", stderr);
            return 2;
        }
    } else {
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        today = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    }

    const long perRun = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 250;
    const int recordsPerRun = perRun > 1 ? static_cast<int>(perRun) : 250;
    uvlog::SampleLogPlan history;
    history.runs = 20;
    history.recordsPerRun = recordsPerRun;
    history.firstStartup = 1;
    history.seed = 7;
    const int logRuns = records > recordsPerRun ? static_cast<int>(records / recordsPerRun) : 1;
    history.lastDay = uvlog::civilFromDays(uvlog::daysFromCivil(today) - logRuns);

    uvlog::SampleLogPlan log;
    log.runs = logRuns;
    log.recordsPerRun = records > recordsPerRun ? recordsPerRun : static_cast<int>(records);
    log.firstStartup = history.firstStartup + static_cast<std::uint64_t>(history.runs);
    log.totalSecondsBefore = 170 * 3600;  // about what the history holds
    log.lastDay = today;
    log.seed = 11;

    const std::string lastStartup =
        std::to_string(log.firstStartup + static_cast<std::uint64_t>(log.runs) - 1);
    const std::string state = lastStartup + format::startupsLabel + "\r\n312" + format::hoursLabel +
                              "\r\n05" + format::minutesLabel + "\r\n48" + format::secondsLabel +
                              "\r\n1203" + format::applicationsLabel + "\r\n" +
                              format::maxLogSizeCap + "\r\n" + format::endLine + "\r\n";
    const std::string folder = dir + "/";
    const bool ok = writeFile(folder + format::stateFileName, state) &&
                    writeFile(folder + format::logFileName, uvlog::makeSampleLog(log)) &&
                    writeFile(folder + format::historyFileName,
                              format::historyHeading + uvlog::makeSampleLog(history));
    if (!ok) {
        std::fprintf(stderr, "make_sample_log: cannot write in %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
