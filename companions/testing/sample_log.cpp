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
    std::string line = rightSet(std::to_string(number), format::recordNumberWidth);
    line += setDuration(runSeconds);
    line += setDuration(totalSeconds);
    line += format::clockTimeGap;
    line += twoDigits(clockSeconds / 3600 % 24) + ':' + twoDigits(clockSeconds / 60 % 60) + ':' +
            twoDigits(clockSeconds % 60);
    line += setDuration(periodSeconds);
    line += format::titleGap;
    if (online)
        line += format::onlineMark;
    line += title;
    return line;
}

std::string sampleHeaderLines(const CalendarDate& date, std::uint32_t startSecondOfDay,
                              std::uint64_t startupNumber)
{
    std::string lines(format::separatorLength, format::separatorChar);
    lines += "\r\n";
    lines += format::runStartLabel;
    lines += std::to_string(date.year) + '-' + twoDigits(date.month) + '-' + twoDigits(date.day);
    lines += format::startTimeGap;
    lines += twoDigits(startSecondOfDay / 3600) + ':' + twoDigits(startSecondOfDay / 60 % 60) +
             ':' + twoDigits(startSecondOfDay % 60);
    lines += format::startupNumberLabel + std::to_string(startupNumber) + format::headerLineTail;
    lines += "\r\n";
    return lines;
}

std::string makeSampleLog(const SampleLogPlan& plan)
{
    std::string log;
    log.reserve(static_cast<std::size_t>(plan.runs) * plan.recordsPerRun * 165);
    std::uint32_t random = plan.seed;
    std::uint64_t total = plan.totalSecondsBefore;
    const std::int64_t lastDay = daysFromCivil(plan.lastDay);
    for (int run = 0; run < plan.runs; ++run) {
        const CalendarDate day = civilFromDays(lastDay - (plan.runs - 1 - run));
        const std::uint32_t start = 7 * 3600 + nextRandom(random) % (3 * 3600);
        log += sampleHeaderLines(day, start, plan.firstStartup + static_cast<std::uint64_t>(run));
        std::uint64_t runTime = 0;
        for (int i = 0; i < plan.recordsPerRun; ++i) {
            const bool osRecord = i == 0;
            const std::uint64_t period =
                osRecord ? 60 + nextRandom(random) % 300 : 5 + nextRandom(random) % 236;
            if (!osRecord) {
                runTime += period;
                total += period;
            }
            const std::uint32_t clock = static_cast<std::uint32_t>((start + runTime) % 86400);
            const std::string title =
                osRecord ? format::firstRecordName : titles[nextRandom(random) % std::size(titles)];
            log += sampleRecordLine(static_cast<std::uint64_t>(i) + 1, runTime, total, clock,
                                    period, nextRandom(random) % 7 == 0, title);
            log += "\r\n";
        }
    }
    return log;
}

}  // namespace uvlog
