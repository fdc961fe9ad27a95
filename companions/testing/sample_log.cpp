#include "companions/testing/sample_log.h"

#include <iterator>

#include "common/data_file_format.h"
#include "companions/engine/calendar.h"

namespace uvlog {

namespace {

namespace format = data_file_format;

std::string rightSet(const std::string& digits, std::size_t width)
{
    return std::string(format::rightSetBlanks(digits.size(), width), ' ') + digits;
}

std::string twoDigits(std::uint64_t value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string setDuration(std::uint64_t seconds)
{
    return rightSet(std::to_string(seconds / 3600), format::hoursWidth) + ':' +
           twoDigits(seconds / 60 % 60) + ':' + twoDigits(seconds % 60);
}

std::string clockTime(std::uint32_t seconds)
{
    return twoDigits(seconds / 3600 % 24) + ':' + twoDigits(seconds / 60 % 60) + ':' +
           twoDigits(seconds % 60);
}

// A small fixed generator, so every run of a test sees the same log.
std::uint32_t nextRandom(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

const char* const titles[] = {
    "Inkorgen - E-post - Anna Ström - 3 olästa meddelanden i mappen Arbete",
    "inköpslista och att göra-lista för veckan som kommer.txt - Anteckningar",
    "Budget 2024 * utkast.xls - Kalkylprogram - [Blad1: intäkter och kostnader per månad]",
    "Kommandotolken - C:\\WINDOWS\\system32\\cmd.exe - ping -t server.exempel.se",
    "Utforskaren - C:\\Mina dokument\\Rapporter\\Kvartal 1\\Underlag från avdelningarna",
    "Skrivbordet - Programhanteraren: alla program, tillbehör och spel i startmenyn",
    "Välkommen till vår webbplats - Nyheter, väder och trafik i hela landet - Webbläsare",
    "Rapport om årets försäljning i Göteborg och Malmö, version 7 (slutlig) - Ordbehandlare",
    format::untitledWindowName,
    "Chatt: Örjan Åberg, Karin Lind och 4 andra - Gruppsamtal om mötet på torsdag",
    "Bildvisaren - semester_0815.jpg (1024 x 768, 24 bitar) - Zoom 100 %",
    "Kalender - vecka 10 - Möten, påminnelser och uppgifter för hela avdelningen",
};

}  // namespace

std::string sampleRecordLine(std::uint64_t number, std::uint64_t runSeconds,
                             std::uint64_t totalSeconds, std::uint32_t clockSeconds,
                             std::uint64_t periodSeconds, bool online, const std::string& title)
{
    return rightSet(std::to_string(number), format::recordNumberWidth) + setDuration(runSeconds) +
           setDuration(totalSeconds) + format::clockTimeGap + clockTime(clockSeconds) +
           setDuration(periodSeconds) + format::titleGap + (online ? format::onlineMark : "") +
           title;
}

std::string sampleHeaderLines(const CalendarDate& date, std::uint32_t startSecondOfDay,
                              std::uint64_t startupNumber)
{
    return std::string(format::separatorLength, format::separatorChar) + "\r\n" +
           format::runStartLabel + std::to_string(date.year) + '-' + twoDigits(date.month) + '-' +
           twoDigits(date.day) + format::startTimeGap + clockTime(startSecondOfDay) +
           format::startupNumberLabel + std::to_string(startupNumber) + format::headerLineTail +
           "\r\n";
}

std::string sampleRun(const CalendarDate& date, std::uint32_t startSecondOfDay,
                      std::uint64_t startupNumber, const std::vector<SampleRecord>& records,
                      std::uint64_t totalBefore)
{
    std::string text = sampleHeaderLines(date, startSecondOfDay, startupNumber);
    std::uint64_t number = 0;
    for (const SampleRecord& r : records) {
        const std::int64_t clock = r.clock >= 0 ? r.clock : startSecondOfDay + r.runSeconds;
        text += sampleRecordLine(++number, r.runSeconds, totalBefore + r.runSeconds,
                                 static_cast<std::uint32_t>(clock % 86400), r.period, r.online,
                                 r.title) +
                "\r\n";
    }
    return text;
}

std::string makeSampleLog(const SampleLogPlan& plan)
{
    std::string log;
    std::uint32_t random = plan.seed;
    std::uint64_t total = plan.totalSecondsBefore;
    const std::int64_t lastDay = daysFromCivil(plan.lastDay);
    for (int run = 0; run < plan.runs; ++run) {
        const std::uint32_t start = 7 * 3600 + nextRandom(random) % (3 * 3600);
        // The first record, "WINDOWS", is the time from the system's start.
        std::vector<SampleRecord> records;
        std::uint64_t runTime = 0;
        for (int i = 0; i < plan.recordsPerRun; ++i) {
            const std::uint64_t period =
                i == 0 ? 60 + nextRandom(random) % 300 : 5 + nextRandom(random) % 236;
            runTime += i == 0 ? 0 : period;
            records.push_back(
                {runTime, period,
                 i == 0 ? format::firstRecordName : titles[nextRandom(random) % std::size(titles)],
                 nextRandom(random) % 7 == 0});
        }
        log += sampleRun(civilFromDays(lastDay - (plan.runs - 1 - run)), start,
                         plan.firstStartup + static_cast<std::uint64_t>(run), records, total);
        total += runTime;
    }
    return log;
}

}  // namespace uvlog
