#include "companions/engine/log_parser.h"

#include <cstring>
#include <limits>

#include "common/data_file_format.h"
#include "companions/engine/calendar.h"
#include "companions/engine/saturating.h"

namespace uvlog {

namespace {

namespace format = data_file_format;
constexpr std::string_view osRecordTitle = format::firstRecordName;
constexpr std::string_view onlineMark = format::onlineMark;
constexpr std::string_view titleGap = format::titleGap;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::uint64_t digitsValue(std::string_view digits)
{
    std::uint64_t value = 0;
    for (char c : digits)
        value = addSaturating(multiplySaturating(value, 10), static_cast<unsigned>(c - '0'));
    return value;
}

std::string_view trimTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A cursor over one line.
struct LineReader {
    std::string_view line;
    std::size_t pos = 0;

    bool atEnd() const { return pos >= line.size(); }
    char peek() const { return atEnd() ? '\0' : line[pos]; }

    std::size_t skipBlanks()
    {
        const std::size_t start = pos;
        while (!atEnd() && line[pos] == ' ')
            ++pos;
        return pos - start;
    }
    std::string_view digits()
    {
        const std::size_t start = pos;
        while (!atEnd() && isDigit(line[pos]))
            ++pos;
        return line.substr(start, pos - start);
    }
    bool expect(char c)
    {
        if (peek() != c)
            return false;
        ++pos;
        return true;
    }
    bool expect(std::string_view text)
    {
        if (line.substr(pos, text.size()) != text)
            return false;
        pos += text.size();
        return true;
    }
    // Two digits, as the writer's two-digit form gives every minute and
    // second. A digit may follow: a wide hour count comes with no blank.
    bool twoDigits(unsigned* value)
    {
        if (pos + 2 > line.size() || !isDigit(line[pos]) || !isDigit(line[pos + 1]))
            return false;
        *value = static_cast<unsigned>((line[pos] - '0') * 10 + (line[pos + 1] - '0'));
        pos += 2;
        return true;
    }
    // ":MM:SS" after an hour count; gives the whole duration in seconds.
    bool minutesAndSeconds(std::uint64_t hours, std::uint64_t* seconds)
    {
        unsigned minutes = 0;
        unsigned secs = 0;
        if (!expect(':') || !twoDigits(&minutes) || !expect(':') || !twoDigits(&secs))
            return false;
        *seconds = addSaturating(multiplySaturating(hours, 3600), minutes * 60u + secs);
        return true;
    }
    // A duration whose hours are right-set: blanks (none once the hours are
    // wide), hours, ":MM:SS".
    bool duration(std::uint64_t* seconds)
    {
        skipBlanks();
        const std::string_view hours = digits();
        return !hours.empty() && minutesAndSeconds(digitsValue(hours), seconds);
    }
};

// How many digits of a leading digit run belong to the record number when the
// run-time hours follow it with no blank between them. Wide hours (6 digits or
// more) are written with no blank before them, and the record number was
// right-set by 15: a number of up to 6 digits is preceded by 15 - 2 x its
// length blanks, so the leading blanks tell its length; a number of 7 digits
// or more has none, and then the next expected number settles it.
std::size_t recordNumberLength(std::size_t leadingBlanks, std::string_view digitRun,
                               std::uint64_t expectedNumber)
{
    constexpr std::size_t width = format::recordNumberWidth;
    constexpr std::size_t minimumWideHours = format::widestRightSet(format::hoursWidth) + 1;
    if (digitRun.size() <= minimumWideHours)
        return 0;
    const std::size_t longest = digitRun.size() - minimumWideHours;
    if (leadingBlanks > 0) {
        if (leadingBlanks > width - 2 || (width - leadingBlanks) % 2 != 0)
            return 0;
        const std::size_t length = (width - leadingBlanks) / 2;
        return length <= longest ? length : 0;
    }
    constexpr std::size_t shortestUnpadded = format::widestRightSet(width) + 1;
    if (longest < shortestUnpadded)
        return 0;
    const std::string expected = std::to_string(expectedNumber);
    if (expected.size() >= shortestUnpadded && expected.size() <= longest &&
        digitRun.substr(0, expected.size()) == expected)
        return expected.size();
    return shortestUnpadded;
}

bool parseRecord(std::string_view line, std::size_t lineOffset, std::uint64_t expectedNumber,
                 LogEntry* entry)
{
    LineReader r{line};
    const std::size_t leadingBlanks = r.skipBlanks();
    const std::string_view firstDigits = r.digits();
    if (firstDigits.empty())
        return false;

    std::string_view numberDigits = firstDigits;
    std::string_view runHours;
    if (r.peek() == ':') {
        const std::size_t length = recordNumberLength(leadingBlanks, firstDigits, expectedNumber);
        if (length == 0)
            return false;
        numberDigits = firstDigits.substr(0, length);
        runHours = firstDigits.substr(length);
    } else {
        if (r.skipBlanks() == 0)
            return false;
        runHours = r.digits();
        if (runHours.empty())
            return false;
    }
    entry->number = digitsValue(numberDigits);
    if (!r.minutesAndSeconds(digitsValue(runHours), &entry->runSeconds))
        return false;
    if (!r.duration(&entry->totalSeconds))
        return false;

    if (r.skipBlanks() == 0)
        return false;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    if (!r.twoDigits(&hour) || !r.expect(':') || !r.twoDigits(&minute) || !r.expect(':') ||
        !r.twoDigits(&second))
        return false;
    entry->clockSeconds = hour * 3600u + minute * 60u + second;

    if (!r.duration(&entry->periodSeconds))
        return false;
    if (!r.expect(titleGap))
        return false;
    // A title that itself begins with "* " cannot be told from the mark; the
    // mark is the likelier reading.
    entry->online = r.expect(onlineMark);
    entry->kind = EntryKind::record;
    entry->textOffset = lineOffset + r.pos;
    entry->textLength = line.size() - r.pos;
    return true;
}

// Reads what it can of a header line; the line begins a run either way.
void parseHeader(std::string_view line, RunHeader* header)
{
    LineReader r{line};
    r.expect(format::runStartKey);
    r.skipBlanks();
    const std::string_view year = r.digits();
    if (year.empty() || year.size() > 4 || !r.expect('-'))
        return;
    const std::string_view month = r.digits();
    if (month.empty() || month.size() > 2 || !r.expect('-'))
        return;
    const std::string_view day = r.digits();
    if (day.empty() || day.size() > 2 || r.skipBlanks() == 0)
        return;
    const std::string_view hour = r.digits();
    if (hour.empty() || hour.size() > 2 || !r.expect(':'))
        return;
    const std::string_view minute = r.digits();
    if (minute.empty() || minute.size() > 2 || !r.expect(':'))
        return;
    const std::string_view second = r.digits();
    if (second.empty() || second.size() > 2)
        return;
    // A readable start is kept even when the rest of the line is damaged.
    header->startDate = {static_cast<int>(digitsValue(year)), static_cast<int>(digitsValue(month)),
                         static_cast<int>(digitsValue(day))};
    const std::uint64_t h = digitsValue(hour);
    const std::uint64_t m = digitsValue(minute);
    const std::uint64_t s = digitsValue(second);
    header->dateValid = isValidDate(header->startDate) && h < 24 && m < 60 && s < 60;
    if (header->dateValid)
        header->startSecondOfDay = static_cast<std::uint32_t>(h * 3600 + m * 60 + s);

    r.skipBlanks();
    if (!r.expect(format::startupNumberKey))
        return;
    r.skipBlanks();
    const std::string_view number = r.digits();
    if (number.empty())
        return;
    r.skipBlanks();
    if (!r.atEnd())
        return;
    header->complete = true;
    header->startupNumber = digitsValue(number);
}

bool isSeparatorLine(std::string_view line)
{
    return !line.empty() && line.find_first_not_of(format::separatorChar) == std::string_view::npos;
}

bool beginsUnheadedRun(const ParsedLog& log, const ParserPosition& at, const LogEntry& record)
{
    if (at.lastNumber == 0)
        return false;  // the run's first record, or records before any run
    if (record.number == 1)
        return true;
    return at.currentRun >= 0 &&
           record.runSeconds < log.runs[static_cast<std::size_t>(at.currentRun)].lastRunSeconds;
}

// Reads one line (line end removed) at `offset` of the log's text.
void parseLine(ParsedLog& log, ParserPosition& at, std::size_t offset, std::string_view line,
               bool unterminated)
{
    ++at.lineCount;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // The separator line only introduces the header, and blank lines carry nothing.
    if (isSeparatorLine(trimTrailingBlanks(line)) || trimTrailingBlanks(line).empty())
        return;

    LogEntry entry;
    entry.unterminated = unterminated;
    entry.textOffset = offset;
    entry.textLength = line.size();
    entry.run = at.currentRun;

    if (line.substr(0, format::runStartKey.size()) == format::runStartKey) {
        RunHeader header;
        header.entry = log.entries.size();
        parseHeader(line, &header);
        log.runs.push_back(header);
        at.currentRun = static_cast<std::int32_t>(log.runs.size() - 1);
        at.expectOsRecord = true;
        at.lastNumber = 0;
        entry.kind = EntryKind::runHeader;
        entry.run = at.currentRun;
    } else if (at.lineCount == 1 && trimTrailingBlanks(line) == format::historyMark) {
        entry.kind = EntryKind::historyMark;
    } else if (parseRecord(line, offset, at.lastNumber + 1, &entry)) {
        if (beginsUnheadedRun(log, at, entry)) {
            // The run's header line is lost or damaged: the record numbers
            // starting again, or the run time going back, tell the new run.
            RunHeader header;
            header.entry = log.entries.size();
            log.runs.push_back(header);
            at.currentRun = static_cast<std::int32_t>(log.runs.size() - 1);
            at.expectOsRecord = true;
            entry.run = at.currentRun;
        }
        entry.sinceOsStart = at.expectOsRecord && entryText(log, entry) == osRecordTitle;
        at.expectOsRecord = false;
        at.lastNumber = entry.number;
        if (at.currentRun >= 0) {
            RunHeader& run = log.runs[static_cast<std::size_t>(at.currentRun)];
            ++run.recordCount;
            run.lastRunSeconds = entry.runSeconds;
        }
    }
    log.entries.push_back(entry);
}

}  // namespace

void appendLogText(ParsedLog& log, std::string_view bytes)
{
    // Forget the provisional reading of an unfinished last line.
    ParserPosition& at = log.committed;
    log.entries.resize(at.entryCount);
    log.runs.resize(at.runCount);
    if (at.currentRun >= 0) {
        RunHeader& run = log.runs[static_cast<std::size_t>(at.currentRun)];
        run.recordCount = at.currentRunRecords;
        run.lastRunSeconds = at.currentRunLastSeconds;
    }
    log.text.append(bytes.data(), bytes.size());

    const char* text = log.text.data();
    const std::size_t size = log.text.size();
    while (at.offset < size) {
        const void* found = std::memchr(text + at.offset, '\n', size - at.offset);
        if (found == nullptr)
            break;
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - text);
        parseLine(log, at, at.offset, std::string_view(text + at.offset, end - at.offset), false);
        at.offset = end + 1;
        at.entryCount = log.entries.size();
        at.runCount = log.runs.size();
        if (at.currentRun >= 0) {
            const RunHeader& run = log.runs[static_cast<std::size_t>(at.currentRun)];
            at.currentRunRecords = run.recordCount;
            at.currentRunLastSeconds = run.lastRunSeconds;
        }
    }
    if (at.offset < size) {
        ParserPosition provisional = at;
        parseLine(log, provisional, at.offset, std::string_view(text + at.offset, size - at.offset),
                  true);
    }
}

ParsedLog parseLog(std::string_view bytes)
{
    ParsedLog log;
    appendLogText(log, bytes);
    return log;
}

std::string_view entryText(const ParsedLog& log, const LogEntry& entry)
{
    return std::string_view(log.text).substr(entry.textOffset, entry.textLength);
}

}  // namespace uvlog
