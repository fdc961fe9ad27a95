#include "timekeeping/state_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/data_file_format.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/clock.h"
#include "timekeeping/decimal_value.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/time_text.h"

namespace format = data_file_format;
namespace texts = persistence_texts;

namespace {

constexpr std::size_t lineReadSize = 255;
// Line 6 is read with room for 8 characters: a setting of up to 7 keeps its
// line end, and the writer then adds the empty line 7 after it.
constexpr std::size_t maxLogSizeReadSize = 9;
// A file held by another program for a moment (a virus scanner, a backup) is
// tried again for about half a second before it counts as unreadable.
constexpr int openAttempts = 10;
constexpr int openRetryMs = 50;
// More than a state file ever holds; enough to tell what the file is.
constexpr std::size_t inspectedBytes = 4096;

// Reads up to and including the next line end, at most size - 1 characters.
// A read that finds the file at its end leaves the buffer empty.
bool readLine(char* buffer, std::size_t size, std::FILE* file)
{
    if (std::fgets(buffer, static_cast<int>(size), file) != nullptr)
        return true;
    buffer[0] = '\0';
    return false;
}

bool endsWithLineEnd(const char* text)
{
    const std::size_t length = std::strlen(text);
    return length > 0 && text[length - 1] == '\n';
}

// Reads one whole line, so that a number is read to its end however many
// digits the writer gave it; a line longer than the buffer loses its tail.
bool readWholeLine(char (&buffer)[lineReadSize], std::FILE* file)
{
    if (!readLine(buffer, sizeof buffer, file))
        return false;
    char rest[lineReadSize];
    std::strcpy(rest, buffer);
    while (!endsWithLineEnd(rest) && readLine(rest, sizeof rest, file)) {
    }
    return true;
}

// Hand-edited files may hold anything; keep what is read within the range the
// counters and their texts can show, so no negative count or three-digit
// minute reaches a display or a file.
std::int32_t clampedValue(const char* text, std::int64_t low, std::int64_t high)
{
    return static_cast<std::int32_t>(std::clamp(decimalValue(text), low, high));
}

bool holdsSizeSetting(const char* text)
{
    return std::strspn(text, " \t\r\n") < std::strlen(text);
}

// Single-byte text with line feeds, as the writer makes it: not UTF-16, no
// byte-order mark, no NUL bytes, no carriage-return-only line ends.
bool looksLikeStateFile()
{
    std::FILE* file = std::fopen(format::stateFileName, "rb");
    if (file == nullptr)
        return true;  // nothing to judge by; the reads tell
    unsigned char bytes[inspectedBytes];
    const std::size_t count = std::fread(bytes, 1, sizeof bytes, file);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError)
        return true;  // the line reads tell of it
    const bool byteOrderMark = count >= 2 && ((bytes[0] == 0xEF && bytes[1] == 0xBB) ||
                                              (bytes[0] == 0xFF && bytes[1] == 0xFE) ||
                                              (bytes[0] == 0xFE && bytes[1] == 0xFF));
    const bool nul = std::memchr(bytes, 0, count) != nullptr;
    const bool lineFeed = std::memchr(bytes, '\n', count) != nullptr;
    return !byteOrderMark && !nul && lineFeed;
}

std::FILE* reopenStateFileWaiting(const char* mode)
{
    std::FILE* file = nullptr;
    for (int attempt = 1; file == nullptr && attempt < openAttempts; ++attempt) {
        host::waitMilliseconds(openRetryMs);
        file = std::fopen(format::stateFileName, mode);
    }
    return file;
}

bool fileExists(const char* name)
{
    std::uint64_t size = 0;
    return host::findFileSize(name, &size);
}

// Picks the name the unreadable file is kept under: the first of ysave.old,
// ysave1.old, ... ysave9.old that is free, so an earlier kept file stays too.
void chooseKeptStateFileName()
{
    char name[sizeof stateFile.keptStateFileName];
    for (int n = 0; n <= 9; ++n) {
        if (n == 0)
            std::snprintf(name, sizeof name, "%s", format::keptStateFileName);
        else
            std::snprintf(name, sizeof name, format::keptStateFileNumbered, n);
        if (!fileExists(name))
            break;
    }
    std::memcpy(stateFile.keptStateFileName, name, sizeof name);
    stateFile.keptStateFilePending = true;
}

// Moves the unreadable ysave.dab aside under its kept name; false while it
// is still in place, so that no save replaces it.
bool keepUnreadableStateFile()
{
    if (!stateFile.keptStateFilePending)
        return true;
    if (!fileExists(format::stateFileName) ||
        std::rename(format::stateFileName, stateFile.keptStateFileName) == 0)
        stateFile.keptStateFilePending = false;
    return !stateFile.keptStateFilePending;
}

// The start-up box about ysave.dab, with a word about where the unreadable
// file was kept.
void tellAboutStateFile(const char* text, host::MessageIcon icon)
{
    std::string message = text;
    if (stateFile.keptStateFileName[0] != '\0') {
        char note[128];
        std::snprintf(note, sizeof note, texts::stateFileKeptNote, stateFile.keptStateFileName);
        message += note;
    }
    host::messageBox(message.c_str(), texts::startupCaption, icon);
}

std::string stateFileText()
{
    const ClockState& c = clockState;
    std::string text;
    text += std::to_string(stateFile.startupCount) + format::startupsLabel + "\n";
    text += std::string(c.totalHoursText) + format::hoursLabel + "\n";
    text += twoDigitForm(c.totalMinutesText) + format::minutesLabel + "\n";
    text += twoDigitForm(c.totalSecondsText) + format::secondsLabel + "\n";
    text +=
        std::to_string(static_cast<std::int64_t>(stateFile.appCount) + stateFile.savedAppTotal) +
        format::applicationsLabel + "\n";
    text += std::string(stateFile.maxLogSizeText) + "\n";
    text += format::endLine;
    text += "\n";
    return text;
}

}  // namespace

void loadState()
{
    char startups[lineReadSize] = "";
    char hours[lineReadSize] = "";
    char minutes[lineReadSize] = "";
    char seconds[lineReadSize] = "";
    char applications[lineReadSize] = "";
    bool complete = false;
    bool readOnly = false;

    // "r+" so that a file we could not write back is reported now, at start-up.
    std::FILE* file = std::fopen(format::stateFileName, "r+");
    const bool exists = file != nullptr || fileExists(format::stateFileName);
    stateFile.newInstall =
        !exists && !fileExists(format::logFileName) && !fileExists(format::historyFileName);
    if (file == nullptr && exists)
        file = reopenStateFileWaiting("r+");
    if (file == nullptr && exists) {
        // A file that is there but cannot be written (read-only, say) still
        // holds the totals of every earlier run. Read them, so that a save
        // that succeeds later (the file made writable again) stores the
        // grown totals instead of a count started afresh from nothing.
        file = std::fopen(format::stateFileName, "r");
        readOnly = true;
    }
    if (file != nullptr) {
        readWholeLine(startups, file);
        readWholeLine(hours, file);
        readWholeLine(minutes, file);
        readWholeLine(seconds, file);
        readWholeLine(applications, file);
        readLine(stateFile.maxLogSizeText, maxLogSizeReadSize, file);
        // A read error part-way leaves fields empty or shifted by a line,
        // and the next save would store them: say so, as for a short file.
        char rest[lineReadSize];
        complete = readLine(rest, sizeof rest, file) && !std::ferror(file);
        std::fclose(file);
    }

    constexpr std::int64_t maxCount = INT32_MAX - 1;
    stateFile.startupCount = clampedValue(startups, 0, maxCount) + 1;
    clockState.savedHours = clampedValue(hours, 0, maxCount);
    clockState.savedMinutes = clampedValue(minutes, 0, 59);
    clockState.savedSeconds = clampedValue(seconds, 0, 59);
    stateFile.savedAppTotal = clampedValue(applications, 0, maxCount);
    // Without a setting every start-up would move the log and each move
    // would replace the history: start from the program's own cap.
    if (!holdsSizeSetting(stateFile.maxLogSizeText))
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s",
                      format::maxLogSizeCap);

    // A file that exists but could not be read as a state file keeps its
    // bytes: the first save would otherwise write a count started from
    // nothing over every stored total.
    const bool unreadable = file == nullptr || !complete || !looksLikeStateFile();
    std::uint64_t size = 0;
    if (exists && unreadable && host::findFileSize(format::stateFileName, &size) && size > 0) {
        chooseKeptStateFileName();
        keepUnreadableStateFile();
    }

    if (stateFile.newInstall)
        return;
    // One box about the file is enough: a file opened only for reading has
    // had its box, and what could be read of it is a bonus.
    if (!exists || file == nullptr || readOnly)
        tellAboutStateFile(texts::stateNotFoundMessage, host::MessageIcon::none);
    else if (unreadable)
        tellAboutStateFile(texts::stateUnreadableMessage, host::MessageIcon::error);
}

void saveState()
{
    ++stateFile.appCount;
    storeTotals();
}

void storeTotals()
{
    if (decimalValue(stateFile.maxLogSizeText) > decimalValue(format::maxLogSizeCap)) {
        const bool lineEnd = endsWithLineEnd(stateFile.maxLogSizeText);
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s%s",
                      format::maxLogSizeCap, lineEnd ? "\n" : "");
    }

    const std::string text = stateFileText();
    const bool saved = keepUnreadableStateFile() &&
                       writeFileAtomically(format::stateFileName, format::stateTempFileName, "w",
                                           [&text](std::FILE* file) {
                                               return std::fputs(text.c_str(), file) >= 0;
                                           });
    if (saved)
        clearFailure(stateFile.saveFailure);
    else
        announceFailure(stateFile.saveFailure, texts::stateNotWrittenMessage, texts::errorCaption,
                        host::MessageIcon::error);
}
