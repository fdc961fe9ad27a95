#pragma once
// The layout of Uravik's data files, shared by the program that writes them
// and the companions that read them: ysave.dab, the state file; ytime.dab,
// the time log; and yhist.dab, the history the log is moved into. Every
// name, label and column of them is spelled here and nowhere else.

#include <cstddef>
#include <string_view>

namespace data_file_format {

// A label as a reader looks for it: without the blanks and line ends around
// it, which a reader skips however many there are.
constexpr std::string_view bare(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \r\n") - first + 1);
}

// The three data files in the working directory, and the temporary files
// that new content is written to before it replaces the old.
constexpr const char* stateFileName = "ysave.dab";
constexpr const char* logFileName = "ytime.dab";
constexpr const char* historyFileName = "yhist.dab";
constexpr const char* stateTempFileName = "ysave.tmp";
constexpr const char* historyTempFileName = "yhist.tmp";
// Held open by the Uravik working in the folder, and gone when it ends.
constexpr const char* instanceLockFileName = "uravik.lck";
// Failures the end of a session could not show, as text for the next
// start-up's box, which removes the file.
constexpr const char* heldNoticeFileName = "uravik.fel";
// Where a ysave.dab that could not be read is kept, rather than overwritten:
// the first free of ysave.old, ysave1.old, ysave2.old and on.
constexpr const char* keptStateFileName = "ysave.old";
constexpr const char* keptStateFileNumbered = "ysave%d.old";

// ysave.dab: one value a line, each followed by its label (the line end is
// the writer's), then the log size setting, then the end line.
constexpr const char* startupsLabel = "   =Uppstarter";
constexpr const char* hoursLabel = "   =Timmar totalt";
constexpr const char* minutesLabel = "   =Minuter totalt";
constexpr const char* secondsLabel = "   =Sekunder totalt";
constexpr const char* applicationsLabel = "   =Applikationer totalt";
constexpr const char* endLine = "Slut";
// The largest log size setting, in bytes; also the setting of a new file.
constexpr const char* maxLogSizeCap = "4000000";

// ytime.dab and yhist.dab. Each run of the program begins with two header
// lines: a separator, then
//   WINDOWS START=  2024-03-07   08:05:09     Uppstart nr=  57
// followed by eight blanks.
constexpr char separatorChar = '=';
constexpr std::size_t separatorLength = 170;
constexpr const char* runStartLabel = "WINDOWS START=  ";
constexpr const char* startTimeGap = "   ";  // between the start date and time
constexpr const char* startupNumberLabel = "     Uppstart nr=  ";
constexpr const char* headerLineTail = "        ";
constexpr std::string_view runStartKey = bare(runStartLabel);
constexpr std::string_view startupNumberKey = bare(startupNumberLabel);

// Then one record a line: its number right-set by 15, the run time and the
// total time with their hours right-set by 13, eight blanks, the clock time,
// the period with its hours right-set by 13, four blanks and the title of the
// window that lay above, marked when the modem was on line.
constexpr std::size_t recordNumberWidth = 15;
constexpr std::size_t hoursWidth = 13;
constexpr const char* clockTimeGap = "        ";
constexpr const char* titleGap = "    ";
constexpr const char* onlineMark = "* ";
// The first record of a run: the time since the operating system started.
constexpr const char* firstRecordName = "WINDOWS";
// No window lay above, or it had no title.
constexpr const char* untitledWindowName = "?";

// Right-setting by half a character per digit: a text of 1 up to
// widestRightSet(width) characters gets width - 2 x its length blanks before
// it, a longer one none.
constexpr std::size_t widestRightSet(std::size_t width)
{
    return (width - 3) / 2;
}
constexpr std::size_t rightSetBlanks(std::size_t length, std::size_t width)
{
    return length == 0 || length > widestRightSet(width) ? 0 : width - 2 * length;
}

// yhist.dab begins with this line, written in binary with the line end the
// text files have on disk; the log's own bytes follow.
constexpr const char* historyHeading = "HISTORIA\r\n";
constexpr std::string_view historyMark = bare(historyHeading);

// yborta.dab: one line per period nobody was at the computer, appended when
// it ends: its local start and end date and time and its cause,
//   2024-03-07 12:01:15  2024-03-07 12:48:02  inaktiv
// with two blanks between the three fields.
constexpr const char* awayFileName = "yborta.dab";
constexpr const char* awayFieldGap = "  ";
constexpr const char* awayDateTimeFormat = "%04d-%02d-%02d %02d:%02d:%02d";
constexpr std::size_t awayDateTimeLength = 19;
// No keyboard or mouse input for the away limit; the workstation locked; the
// machine asleep.
constexpr const char* awayIdleCause = "inaktiv";
constexpr const char* awayLockedCause = "låst";
constexpr const char* awayAsleepCause = "vila";

// uravik.ini, optional, beside the data files: the away limit in minutes,
//   [Borta]
//   Minuter=5
// 0 turns the noting of away time off; a missing file or key, or a value
// that is not a whole number from 0 to the largest, means the default.
constexpr const char* settingsFileName = "uravik.ini";
constexpr const char* awaySection = "Borta";
constexpr const char* awayLimitKey = "Minuter";
constexpr int defaultAwayLimitMinutes = 5;
constexpr int largestAwayLimitMinutes = 24 * 60;

}  // namespace data_file_format
