#include "companions/engine/log_format.h"

#include <cinttypes>
#include <cstdio>

#include "companions/companion_texts.h"

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

namespace {

// Tenths of a per cent, rounded; 0 when there is no whole.
std::string shareNumber(std::uint64_t part, std::uint64_t whole)
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

bool needsQuotes(std::string_view text)
{
    return text.find_first_of(";\"\r\n") != std::string_view::npos ||
           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
}

}  // namespace

std::string shareText(std::uint64_t part, std::uint64_t whole)
{
    return shareNumber(part, whole) + " %";
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

std::string titleTableCsv(const LogStatistics& stats)
{
    std::string csv = companion_texts::csvHeader;
    csv += "\r\n";
    for (const TitleTime& row : stats.titles) {
        csv += csvField(row.title);
        csv += ';';
        csv += durationText(row.seconds);
        csv += ';';
        csv += std::to_string(row.seconds);
        csv += ';';
        csv += shareNumber(row.seconds, stats.windowSeconds);
        csv += ';';
        csv += std::to_string(row.periods);
        csv += "\r\n";
    }
    return csv;
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
