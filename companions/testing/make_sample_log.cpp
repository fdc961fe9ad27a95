// Writes a sample working directory: ysave.dab, ytime.dab and yhist.dab.
//   make_sample_log DIR RECORDS YYYY-MM-DD [PER_RUN]
// ytime.dab holds RECORDS records in runs of PER_RUN (default 250), one run a
// day, the last ending on the given day, so the statistics' last 30 days have
// data; yhist.dab holds the 20 runs before them.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/data_file_format.h"
#include "companions/engine/calendar.h"
#include "companions/testing/sample_log.h"

namespace format = data_file_format;

int main(int argc, char** argv)
{
    uvlog::CalendarDate today;
    if (argc < 4 || argc > 5 ||
        std::sscanf(argv[3], "%d-%d-%d", &today.year, &today.month, &today.day) != 3 ||
        !uvlog::isValidDate(today)) {
        std::fputs("usage: make_sample_log DIR RECORDS YYYY-MM-DD [PER_RUN]\n", stderr);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const auto write = [&folder](const char* name, const std::string& bytes) {
        std::ofstream file(folder + name, std::ios::binary | std::ios::trunc);
        file << bytes;
        file.close();
        return static_cast<bool>(file);
    };
    const long records = std::max(1L, std::strtol(argv[2], nullptr, 10));
    const long asked = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 250;
    const int perRun = asked > 1 ? static_cast<int>(asked) : 250;

    const int logPerRun = static_cast<int>(std::min<long>(records, perRun));
    // The log's runs from start-up 21, its total beginning at about what the
    // history holds; then the history's 20 runs before them.
    const uvlog::SampleLogPlan log{
        today, static_cast<int>(records / logPerRun), logPerRun, 21, 170 * 3600, 11};
    const uvlog::SampleLogPlan history{
        uvlog::civilFromDays(uvlog::daysFromCivil(today) - log.runs), 20, perRun, 1, 0, 7};

    const std::string state = std::to_string(20 + log.runs) + format::startupsLabel + "\r\n312" +
                              format::hoursLabel + "\r\n05" + format::minutesLabel + "\r\n48" +
                              format::secondsLabel + "\r\n1203" + format::applicationsLabel +
                              "\r\n" + format::maxLogSizeCap + "\r\n" + format::endLine + "\r\n";
    if (!write(format::stateFileName, state) ||
        !write(format::logFileName, uvlog::makeSampleLog(log)) ||
        !write(format::historyFileName, format::historyHeading + uvlog::makeSampleLog(history))) {
        std::fprintf(stderr, "make_sample_log: cannot write in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
