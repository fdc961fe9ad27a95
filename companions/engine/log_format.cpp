#include "companions/engine/log_format.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "common/data_file_format.h"
#include "companions/companion_texts.h"
#include "companions/engine/calendar.h"
#include "companions/engine/log_table.h"

namespace uvlog {

std::string durationText(std::uint64_t seconds)
{
    char text[40];
    std::snprintf(text, sizeof text, "%" PRIu64 ":%02u:%02u", seconds / 3600,
                  static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
    return text;
}

std::string clockText(std::uint32_t secondOfDay)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", static_cast<unsigned>(secondOfDay / 3600),
                  static_cast<unsigned>(secondOfDay / 60 % 60),
                  static_cast<unsigned>(secondOfDay % 60));
    return text;
}

std::string dateText(const CalendarDate& date)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string hourText(int hour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d", hour, (hour + 1) % 24);
    return text;
}

std::string groupedNumber(std::uint64_t value)
{
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ' ';
        text += digits[i];
    }
    return text;
}

std::string shareNumberText(std::uint64_t part, std::uint64_t whole)
{
    unsigned tenths = 0;
    if (whole > 0) {
        // In long double: part * 1000 would overflow for saturated sums.
        const long double share = static_cast<long double>(part) * 1000.0L / whole + 0.5L;
        tenths = share >= 1000.0L ? 1000u : static_cast<unsigned>(share);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%u,%u", tenths / 10, tenths % 10);
    return text;
}

namespace {

bool needsQuotes(std::string_view text)
{
    return text.find_first_of(";\"\r\n") != std::string_view::npos ||
           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
}

}  // namespace

std::string shareText(std::uint64_t part, std::uint64_t whole)
{
    return shareNumberText(part, whole) + " %";
}

std::string csvField(std::string_view text)
{
    std::string field;
    // A window title is anyone's text; a spreadsheet must not run it.
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        field += '\'';
    field.append(text.data(), text.size());
    if (!needsQuotes(field))
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string momentText(std::int64_t moment)
{
    return dateText(civilFromDays(dayOfMoment(moment))) + ' ' + clockText(secondOfDay(moment));
}

std::string countText(std::uint64_t count, const char* singular, const char* plural)
{
    return groupedNumber(count) + ' ' + (count == 1 ? singular : plural);
}

std::string shownName(std::string_view name)
{
    return name == data_file_format::untitledWindowName ? companion_texts::noTitleShown
                                                        : std::string(name);
}

std::string runNumberText(const RunRow& run)
{
    return run.numbered ? std::to_string(run.startupNumber) : std::string();
}

std::string runStartText(const RunRow& run)
{
    return run.dated ? momentText(run.startMoment) : std::string();
}

std::string runLastRecordText(const RunRow& run)
{
    if (!run.dated || run.records == 0)
        return std::string();
    return momentText(run.lastRecordMoment);
}

std::string tableCsv(const LogStatistics& stats, Grouping grouping)
{
    return StatisticsTable(stats, grouping).csv();
}

std::string dayChartCsv(const LogStatistics& stats)
{
    return StatisticsTable::chartDays(stats).csv();
}

namespace {

unsigned char foldByte(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    // Windows-1252: À to Þ except ×, and the three letters in the 0x80 row.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<unsigned char>(c + 16);
    if (c == 0x9F)
        return 0xFF;
    return c;
}

struct FoldTable {
    unsigned char lower[256];
    FoldTable()
    {
        for (int i = 0; i < 256; ++i)
            lower[i] = foldByte(static_cast<unsigned char>(i));
    }
};

const FoldTable foldTable;

}  // namespace

std::string utf8FromWindows1252(std::string_view text)
{
    // 0x80 to 0x9F, where Windows-1252 departs from Latin-1.
    static constexpr char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    std::string utf8;
    utf8.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const char32_t code = byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

char foldedByte(char c)
{
    return static_cast<char>(foldTable.lower[static_cast<unsigned char>(c)]);
}

std::string foldCase(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(foldTable.lower[static_cast<unsigned char>(c)]);
    return folded;
}

bool containsFolded(std::string_view text, std::string_view foldedNeedle)
{
    if (foldedNeedle.empty())
        return true;
    if (foldedNeedle.size() > text.size())
        return false;
    const unsigned char first = static_cast<unsigned char>(foldedNeedle.front());
    const std::size_t last = text.size() - foldedNeedle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (foldTable.lower[static_cast<unsigned char>(text[i])] != first)
            continue;
        std::size_t j = 1;
        while (j < foldedNeedle.size() &&
               foldTable.lower[static_cast<unsigned char>(text[i + j])] ==
                   static_cast<unsigned char>(foldedNeedle[j]))
            ++j;
        if (j == foldedNeedle.size())
            return true;
    }
    return false;
}

}  // namespace uvlog
