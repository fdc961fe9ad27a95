#include "timekeeping/state_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "timekeeping/atomic_write.h"
#include "timekeeping/clock.h"
#include "timekeeping/decimal_value.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/time_text.h"

namespace texts = persistence_texts;

StateFileState stateFile;

namespace {

constexpr std::size_t discardSize = 255;
// Line 6 is read with room for 8 characters: a setting of up to 7 keeps its
// line end, and the writer then adds the empty line 7 after it.
constexpr std::size_t maxLogSizeReadSize = 9;

// Reads up to and including the next line end, at most size - 1 characters.
// A read that finds the file at its end leaves the buffer empty.
bool readLine(char* buffer, std::size_t size, std::FILE* file)
{
    if (std::fgets(buffer, static_cast<int>(size), file) != nullptr)
        return true;
    buffer[0] = '\0';
    return false;
}

bool discardRestOfLine(std::FILE* file)
{
    char rest[discardSize];
    return readLine(rest, sizeof rest, file);
}

// Hand-edited files may hold anything; keep what is read within the range the
// counters and their texts can show, so no negative count or three-digit
// minute reaches a display or a file.
std::int32_t clampedValue(const char* text, std::int64_t low, std::int64_t high)
{
    return static_cast<std::int32_t>(std::clamp(decimalValue(text), low, high));
}

bool endsWithLineEnd(const char* text)
{
    const std::size_t length = std::strlen(text);
    return length > 0 && text[length - 1] == '\n';
}

std::string stateFileText()
{
    const ClockState& c = clockState;
    std::string text;
    text += std::to_string(stateFile.startupCount) + texts::startupsLabel;
    text += std::string(c.totalHoursText) + texts::hoursLabel;
    text += twoDigitForm(c.totalMinutesText) + texts::minutesLabel;
    text += twoDigitForm(c.totalSecondsText) + texts::secondsLabel;
    text += std::to_string(static_cast<std::int64_t>(stateFile.appCount) +
                           stateFile.savedAppTotal) +
            texts::applicationsLabel;
    text += std::string(stateFile.maxLogSizeText) + "\n";
    text += texts::endLine;
    return text;
}

}  // namespace

void loadState()
{
    char startups[9] = "";
    char hours[7] = "";
    char minutes[3] = "";
    char seconds[3] = "";
    char applications[9] = "";
    bool opened = false;
    bool complete = false;
    bool readOnly = false;

    // "r+" so that a file we could not write back is reported now, at start-up.
    std::FILE* file = std::fopen(texts::stateFileName, "r+");
    if (file == nullptr) {
        host::messageBox(texts::stateNotFoundMessage, texts::startupCaption,
                         host::MessageIcon::none);
        // A file that is there but cannot be written (read-only, say) still
        // holds the totals of every earlier run. Read them, so that a save
        // that succeeds later (the file made writable again) stores the
        // grown totals instead of a count started afresh from nothing.
        file = std::fopen(texts::stateFileName, "r");
        readOnly = true;
    }
    if (file != nullptr) {
        opened = true;
        // Each label starts with blanks, so every number stops before its
        // line end and the discard read takes the rest of that line.
        readLine(startups, sizeof startups, file);
        discardRestOfLine(file);
        readLine(hours, sizeof hours, file);
        discardRestOfLine(file);
        readLine(minutes, sizeof minutes, file);
        discardRestOfLine(file);
        readLine(seconds, sizeof seconds, file);
        discardRestOfLine(file);
        readLine(applications, sizeof applications, file);
        discardRestOfLine(file);
        readLine(stateFile.maxLogSizeText, maxLogSizeReadSize, file);
        // A read error part-way leaves fields empty or shifted by a line,
        // and the next save would store them: say so, as for a short file.
        complete = discardRestOfLine(file) && !std::ferror(file);
        std::fclose(file);
    }

    constexpr std::int64_t maxCount = INT32_MAX - 1;
    stateFile.startupCount = clampedValue(startups, 0, maxCount) + 1;
    clockState.savedHours = clampedValue(hours, 0, maxCount);
    clockState.savedMinutes = clampedValue(minutes, 0, 59);
    clockState.savedSeconds = clampedValue(seconds, 0, 59);
    stateFile.savedAppTotal = clampedValue(applications, 0, maxCount);

    // One box about the file is enough: a file opened only for reading has
    // had its box, and what could be read of it is a bonus.
    if (opened && !complete && !readOnly)
        host::messageBox(texts::stateUnreadableMessage, texts::startupCaption,
                         host::MessageIcon::error);
}

void saveState()
{
    ++stateFile.appCount;
    if (decimalValue(stateFile.maxLogSizeText) > decimalValue(texts::maxLogSizeCap)) {
        const bool lineEnd = endsWithLineEnd(stateFile.maxLogSizeText);
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s%s",
                      texts::maxLogSizeCap, lineEnd ? "\n" : "");
    }

    const std::string text = stateFileText();
    const bool saved = writeFileAtomically(
        texts::stateFileName, texts::stateTempFileName,
        [&text](std::FILE* file) { return std::fputs(text.c_str(), file) >= 0; });
    if (saved)
        clearFailure(stateFile.saveFailure);
    else
        announceFailure(stateFile.saveFailure, texts::stateNotWrittenMessage,
                        texts::errorCaption, host::MessageIcon::error);
}
