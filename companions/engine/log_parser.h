#pragma once
// Reads the time log (ytime.dab) and the history (yhist.dab) into runs of the
// program and their records. Any bytes are accepted: a line that reads
// neither as a header nor as a record is kept as raw text, never dropped and
// never an error, so a damaged or hand-edited log still opens.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "companions/engine/calendar.h"

namespace uvlog {

enum class EntryKind : std::uint8_t {
    historyMark,  // the "HISTORIA" line that heads yhist.dab
    runHeader,    // "WINDOWS START=": one start-up of the program
    record,       // one period of one window
    raw,          // a line that reads as neither
};

struct LogEntry {
    EntryKind kind = EntryKind::raw;
    // Marked on line: the modem was on line when the record was written.
    bool online = false;
    // The first record of a run, named "WINDOWS": its period is the time since
    // the operating system started, not time spent in a window.
    bool sinceOsStart = false;
    // The file ended inside this line: it may be cut short, and it is read
    // again when the file grows.
    bool unterminated = false;
    std::int32_t run = -1;  // index into ParsedLog::runs; -1 before the first header
    // The window title of a record, the whole line otherwise (line end excluded).
    std::size_t textOffset = 0;
    std::size_t textLength = 0;
    // Record fields. Durations are whole seconds; wide hour counts saturate.
    std::uint64_t number = 0;
    std::uint64_t runSeconds = 0;
    std::uint64_t totalSeconds = 0;
    std::uint64_t periodSeconds = 0;
    std::uint32_t clockSeconds = 0;  // clock time of day when written
};

struct RunHeader {
    std::size_t entry = 0;   // index of the header's entry
    bool complete = false;   // every field of the header line was read
    bool dateValid = false;  // the start date and time name a real moment
    CalendarDate startDate;
    std::uint32_t startSecondOfDay = 0;
    std::uint64_t startupNumber = 0;
    std::size_t recordCount = 0;
    // Run time of the run's latest record: how long the run is known to have lasted.
    std::uint64_t lastRunSeconds = 0;
};

// Where the reading of a log stands after its last complete line.
struct ParserPosition {
    std::size_t offset = 0;  // first byte not yet read as a complete line
    std::size_t entryCount = 0;
    std::size_t runCount = 0;
    std::int32_t currentRun = -1;
    // The current run's counts, which a provisional last line may change.
    std::size_t currentRunRecords = 0;
    std::uint64_t currentRunLastSeconds = 0;
    bool expectOsRecord = true;
    std::uint64_t lastNumber = 0;
    std::size_t lineCount = 0;
};

struct ParsedLog {
    std::string text;  // every byte read so far
    std::vector<LogEntry> entries;
    std::vector<RunHeader> runs;
    ParserPosition committed;  // state after the last complete line
};

// Reads more bytes of a log, as appended to the file. Complete lines are read
// once; a last line without its line end is read provisionally and read again
// with the bytes that complete it.
void appendLogText(ParsedLog& log, std::string_view bytes);

ParsedLog parseLog(std::string_view bytes);

// The title of a record, or the text of any other entry.
std::string_view entryText(const ParsedLog& log, const LogEntry& entry);

}  // namespace uvlog
