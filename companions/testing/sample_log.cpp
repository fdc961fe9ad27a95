#include "companions/testing/sample_log.h"

#include <cinttypes>
#include <cstdio>

#include "companions/engine/calendar.h"

namespace uvlog {

namespace {

// Right-set by `width`: width - 2 x length blanks while that is positive.
std::string rightSet(const std::string& digits, int width)
{
    const int blanks = width - 2 * static_cast<int>(digits.size());
    return std::string(blanks > 0 ? static_cast<std::size_t>(blanks) : 0, ' ') + digits;
}

std::string twoDigits(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02" PRIu64, value);
    return text;
}

std::string setDuration(std::uint64_t seconds)
{
    return rightSet(std::to_string(seconds / 3600), 13) + ':' + twoDigits(seconds / 60 % 60) + ':' +
           twoDigits(seconds % 60);
}

// A small fixed generator, so every run of a test sees the same log.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

const char* const titles[] = {
    "Inkorgen - E-post - Anna Ström - 3 olästa meddelanden i mappen Arbete",
    "inköpslista och att göra-lista för veckan som kommer.txt - Anteckningar",
    "Budget 2024 * utkast.xls - Kalkylprogram - [Blad1: intäkter och kostnader per månad]",
    "Kommandotolken - C:\\WINDOWS\\system32\\cmd.exe - ping -t server.exempel.se",
    "Utforskaren - C:\\Mina dokument\\Rapporter\\Kvartal 1\\Underlag från avdelningarna",
    "Skrivbordet - Programhanteraren: alla program, tillbehör och spel i startmenyn",
    "Välkommen till vår webbplats - Nyheter, väder och trafik i hela landet - Webbläsare",
    "Rapport om årets försäljning i Göteborg och Malmö, version 7 (slutlig) - Ordbehandlare",
    "?",
    "Chatt: Örjan Åberg, Karin Lind och 4 andra - Gruppsamtal om mötet på torsdag",
    "Bildvisaren - semester_0815.jpg (1024 x 768, 24 bitar) - Zoom 100 %",
    "Kalender - vecka 10 - Möten, påminnelser och uppgifter för hela avdelningen",
};
constexpr std::uint32_t titleCount = sizeof titles / sizeof titles[0];

}  // namespace

std::string sampleTitle(std::uint32_t index)
{
    return titles[index % titleCount];
}

std::string sampleRecordLine(std::uint64_t number, std::uint64_t runSeconds,
                             std::uint64_t totalSeconds, std::uint32_t clockSeconds,
                             std::uint64_t periodSeconds, bool online, const std::string& title)
{
    std::string line = rightSet(std::to_string(number), 15);
    line += setDuration(runSeconds);
    line += setDuration(totalSeconds);
    line += "        ";
    line += twoDigits(clockSeconds / 3600 % 24) + ':' + twoDigits(clockSeconds / 60 % 60) + ':' +
            twoDigits(clockSeconds % 60);
    line += setDuration(periodSeconds);
    line += "    ";
    if (online)
        line += "* ";
    line += title;
    return line;
}

std::string sampleHeaderLines(const CalendarDate& date, std::uint32_t startSecondOfDay,
                              std::uint64_t startupNumber)
{
    std::string lines(170, '=');
    lines += "\r\nWINDOWS START=  ";
    lines += std::to_string(date.year) + '-' + twoDigits(date.month) + '-' + twoDigits(date.day);
    lines += "   ";
    lines += twoDigits(startSecondOfDay / 3600) + ':' + twoDigits(startSecondOfDay / 60 % 60) +
             ':' + twoDigits(startSecondOfDay % 60);
    lines += "     Uppstart nr=  " + std::to_string(startupNumber) + "        \r\n";
    return lines;
}

std::string makeSampleLog(const SampleLogPlan& plan)
{
    std::string log;
    log.reserve(static_cast<std::size_t>(plan.runs) * plan.recordsPerRun * 165);
    Lcg random{plan.seed};
    std::uint64_t total = plan.totalSecondsBefore;
    const std::int64_t lastDay = daysFromCivil(plan.lastDay);
    for (int run = 0; run < plan.runs; ++run) {
        const CalendarDate day = civilFromDays(lastDay - (plan.runs - 1 - run));
        const std::uint32_t start = 7 * 3600 + random.next() % (3 * 3600);
        log += sampleHeaderLines(day, start, plan.firstStartup + static_cast<std::uint64_t>(run));
        std::uint64_t runTime = 0;
        for (int i = 0; i < plan.recordsPerRun; ++i) {
            const bool osRecord = i == 0;
            const std::uint64_t period =
                osRecord ? 60 + random.next() % 300 : 5 + random.next() % 236;
            if (!osRecord) {
                runTime += period;
                total += period;
            }
            const std::uint32_t clock = static_cast<std::uint32_t>((start + runTime) % 86400);
            const std::string title = osRecord ? "WINDOWS" : sampleTitle(random.next());
            log += sampleRecordLine(static_cast<std::uint64_t>(i) + 1, runTime, total, clock,
                                    period, random.next() % 7 == 0, title);
            log += "\r\n";
        }
    }
    return log;
}

}  // namespace uvlog
