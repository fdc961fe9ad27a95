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
// tried again for writing for about half a second before it is read as a
// read-only file; one that cannot even be read is waited for a few seconds
// more, and after that it is read at a later save.
constexpr int openAttempts = 10;
constexpr int heldOpenAttempts = 60;
constexpr int openRetryMs = 50;
// Free names for the unreadable file's copy are looked for this far.
constexpr int keptNameCount = 10000;
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

// A setting is digits, with blanks around them: text, a sign or nothing at
// all is no setting.
bool holdsSizeSetting(const char* text)
{
    const char* digits = text + std::strspn(text, " \t");
    const std::size_t count = std::strspn(digits, "0123456789");
    return count > 0 && digits[count + std::strspn(digits + count, " \t\r\n")] == '\0';
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

// Opens ysave.dab for writing back, waiting for a program that holds it;
// after the first attempts a file that opens only for reading is taken as
// read-only. Null when it cannot be opened at all within the attempts.
std::FILE* reopenStateFileWaiting(int attempts, bool& readOnly)
{
    std::FILE* file = nullptr;
    for (int attempt = 1; file == nullptr && attempt < attempts; ++attempt) {
        host::waitMilliseconds(openRetryMs);
        file = std::fopen(format::stateFileName, "r+");
        if (file == nullptr && attempt + 1 >= openAttempts) {
            file = std::fopen(format::stateFileName, "r");
            readOnly = file != nullptr;
        }
    }
    return file;
}

bool fileExists(const char* name)
{
    std::uint64_t size = 0;
    return host::findFileSize(name, &size);
}

// Picks the name the unreadable file is kept under: the first of ysave.old,
// ysave1.old, ysave2.old and on that is free, so every earlier kept file
// stays too. Empty when none is free.
void chooseKeptStateFileName()
{
    char name[sizeof stateFile.keptStateFileName] = "";
    for (int n = 0; n < keptNameCount; ++n) {
        if (n == 0)
            std::snprintf(name, sizeof name, "%s", format::keptStateFileName);
        else
            std::snprintf(name, sizeof name, format::keptStateFileNumbered, n);
        if (!fileExists(name))
            break;
        name[0] = '\0';
    }
    std::memcpy(stateFile.keptStateFileName, name, sizeof name);
}

// Moves the unreadable ysave.dab aside under a free name; false while it is
// still in place, so that no save replaces it.
bool keepUnreadableStateFile()
{
    if (!stateFile.keptStateFilePending)
        return true;
    if (!fileExists(format::stateFileName)) {
        stateFile.keptStateFilePending = false;
        return true;
    }
    // A name taken since it was chosen would refuse the rename every time.
    if (stateFile.keptStateFileName[0] == '\0' || fileExists(stateFile.keptStateFileName))
        chooseKeptStateFileName();
    if (stateFile.keptStateFileName[0] != '\0' &&
        std::rename(format::stateFileName, stateFile.keptStateFileName) == 0) {
        stateFile.keptStateFilePending = false;
        stateFile.stateFileKept = true;
    }
    return !stateFile.keptStateFilePending;
}

// The start-up box about ysave.dab, with a word about where the unreadable
// file was kept.
void tellAboutStateFile(const char* text, host::MessageIcon icon)
{
    std::string message = text;
    // Only a copy that is really there is named.
    if (stateFile.stateFileKept) {
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

// Reads the open ysave.dab into the start-up count, the saved totals, the
// applications total and the size setting, and closes it; with no file,
// everything starts from nothing. True when the file held every line.
bool readStateFile(std::FILE* file)
{
    char startups[lineReadSize] = "";
    char hours[lineReadSize] = "";
    char minutes[lineReadSize] = "";
    char seconds[lineReadSize] = "";
    char applications[lineReadSize] = "";
    bool complete = false;
    stateFile.maxLogSizeText[0] = '\0';
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
    setSavedTotals(clampedValue(hours, 0, maxCount), clampedValue(minutes, 0, 59),
                   clampedValue(seconds, 0, 59));
    stateFile.savedAppTotal = clampedValue(applications, 0, maxCount);
    // Without a setting (none, text, a negative number) every start-up would
    // move the log and each move would replace the history: start from the
    // program's own cap.
    if (!holdsSizeSetting(stateFile.maxLogSizeText))
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s",
                      format::maxLogSizeCap);
    return complete;
}

// A file that was read but is not a state file keeps its bytes under a
// name of its own: the first save would otherwise write a count started
// from nothing over every stored total. True when it was not a state file.
bool keepAsideWhenUnreadable(bool complete)
{
    const bool unreadable = !complete || !looksLikeStateFile();
    std::uint64_t size = 0;
    if (unreadable && host::findFileSize(format::stateFileName, &size) && size > 0) {
        stateFile.keptStateFilePending = true;
        chooseKeptStateFileName();
        keepUnreadableStateFile();
    }
    return unreadable;
}

}  // namespace

void loadState()
{
    bool readOnly = false;
    // "r+" so that a file we could not write back is reported now, at start-up.
    std::FILE* file = std::fopen(format::stateFileName, "r+");
    const bool exists = file != nullptr || fileExists(format::stateFileName);
    stateFile.newInstall =
        !exists && !fileExists(format::logFileName) && !fileExists(format::historyFileName);
    // A file that is there but cannot be written (read-only, say) still
    // holds the totals of every earlier run. It is read, so that a save that
    // succeeds later (the file made writable again) stores the grown totals
    // instead of a count started afresh from nothing.
    if (file == nullptr && exists)
        file = reopenStateFileWaiting(heldOpenAttempts, readOnly);
    // One with content that cannot even be read is held by another program:
    // it is not damaged, and nothing may replace it before it has been read.
    std::uint64_t size = 0;
    stateFile.heldUnread =
        file == nullptr && exists && host::findFileSize(format::stateFileName, &size) && size > 0;
    const bool complete = readStateFile(file);
    const bool unreadable = file != nullptr && keepAsideWhenUnreadable(complete);

    if (stateFile.newInstall)
        stateFile.startupNotice = StateFileNotice::none;
    else if (stateFile.heldUnread)
        stateFile.startupNotice = StateFileNotice::held;
    // One box about the file is enough: a file opened only for reading has
    // had its box, and what could be read of it is a bonus.
    else if (!exists || file == nullptr || readOnly)
        stateFile.startupNotice = StateFileNotice::notFound;
    else if (unreadable)
        stateFile.startupNotice = StateFileNotice::unreadable;
}

void reportStateFile()
{
    switch (stateFile.startupNotice) {
        case StateFileNotice::notFound:
            tellAboutStateFile(texts::stateNotFoundMessage, host::MessageIcon::none);
            break;
        case StateFileNotice::unreadable:
            tellAboutStateFile(texts::stateUnreadableMessage, host::MessageIcon::error);
            break;
        case StateFileNotice::held:
            host::messageBox(texts::stateHeldMessage, texts::startupCaption,
                             host::MessageIcon::none);
            break;
        case StateFileNotice::none:
            break;
    }
}

void readHeldStateFile()
{
    if (!stateFile.heldUnread)
        return;
    std::FILE* file = std::fopen(format::stateFileName, "r+");
    if (file == nullptr)
        file = std::fopen(format::stateFileName, "r");
    if (file == nullptr) {
        // Gone meanwhile: there is nothing left to protect.
        stateFile.heldUnread = fileExists(format::stateFileName);
        return;
    }
    stateFile.heldUnread = false;
    keepAsideWhenUnreadable(readStateFile(file));
    // The totals shown and saved from now on start from the file's.
    updateCounters();
}

void saveState()
{
    ++stateFile.appCount;
    storeTotals();
}

void storeTotals()
{
    // Totals that did not start from a held file never replace it.
    readHeldStateFile();
    if (stateFile.heldUnread)
        return;
    if (decimalValue(stateFile.maxLogSizeText) > decimalValue(format::maxLogSizeCap)) {
        const bool lineEnd = endsWithLineEnd(stateFile.maxLogSizeText);
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s%s",
                      format::maxLogSizeCap, lineEnd ? "\n" : "");
    }

    const std::string text = stateFileText();
    const AtomicWrite result =
        keepUnreadableStateFile()
            ? writeFileAtomically(
                  format::stateFileName, format::stateTempFileName, "w",
                  [&text](std::FILE* file) { return std::fputs(text.c_str(), file) >= 0; })
            : AtomicWrite::notReplaced;
    if (result == AtomicWrite::written)
        clearFailure(stateFile.saveFailure);
    else
        // A full disk fails the content; the saved file is then whole, so
        // the box must not say that it is gone or that data is lost.
        announceFailure(stateFile.saveFailure,
                        result == AtomicWrite::contentNotWritten ? texts::stateNotWritableMessage
                                                                 : texts::stateNotWrittenMessage,
                        texts::errorCaption, host::MessageIcon::error);
}
