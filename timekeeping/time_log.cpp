#include "timekeeping/time_log.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/data_file_format.h"
#include "common/shared_state.h"
#include "host/host.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/clock.h"
#include "timekeeping/decimal_value.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_text.h"

namespace format = data_file_format;
namespace texts = persistence_texts;

namespace {

constexpr std::uint64_t msPerSecond = 1000;
constexpr std::uint64_t msPerMinute = 60 * msPerSecond;
constexpr std::uint64_t msPerHour = 60 * msPerMinute;

std::string rightSet(const std::string& text, std::size_t width)
{
    return std::string(format::rightSetBlanks(text.size(), width), ' ') + text;
}

std::string decimal(std::uint64_t value)
{
    return std::to_string(value);
}

std::string headerLines()
{
    const ClockState& c = clockState;
    std::string text(format::separatorLength, format::separatorChar);
    text += "\n";
    text += format::runStartLabel;
    text += std::string(c.startYearText) + "-" + twoDigitForm(c.startMonthText) + "-" +
            twoDigitForm(c.startDayText);
    text += format::startTimeGap + twoDigitForm(c.startHourText) + ":" +
            twoDigitForm(c.startMinuteText) + ":" + twoDigitForm(c.startSecondText);
    text += format::startupNumberLabel;
    text += decimal(static_cast<std::uint32_t>(stateFile.startupCount));
    text += format::headerLineTail;
    text += "\n";
    return text;
}

std::string hoursMinutesSeconds(const std::string& hours, const char* minutes, const char* seconds)
{
    return rightSet(hours, format::hoursWidth) + ":" + twoDigitForm(minutes) + ":" +
           twoDigitForm(seconds);
}

std::string recordLine(std::uint64_t period)
{
    const ClockState& c = clockState;
    std::string line = rightSet(decimal(static_cast<std::uint32_t>(stateFile.appCount)),
                                format::recordNumberWidth);
    line += hoursMinutesSeconds(c.runHoursText, c.runMinutesText, c.runSecondsText);
    line += hoursMinutesSeconds(c.totalHoursText, c.totalMinutesText, c.totalSecondsText);
    line += format::clockTimeGap + twoDigitForm(c.nowHourText) + ":" +
            twoDigitForm(c.nowMinuteText) + ":" + twoDigitForm(c.nowSecondText);
    const std::string periodSeconds = decimal(period / msPerSecond - 60 * (period / msPerMinute));
    const std::string periodMinutes = decimal(period / msPerMinute - 60 * (period / msPerHour));
    line += hoursMinutesSeconds(decimal(period / msPerHour), periodMinutes.c_str(),
                                periodSeconds.c_str());
    line += format::titleGap;
    if (shared.modemOnline == 1)
        line += format::onlineMark;
    line += timeLog.previousTitle;
    line += "\n";
    return line;
}

// The title of `window` as the next record will name it: "?" when there is
// none, and control characters (line breaks) as blanks, so that a record
// always stays one line.
void readWindowTitle(host::WindowHandle window, char (&title)[windowTitleTextSize])
{
    if (host::windowTitle(window, title, windowTitleReadSize) <= 0 || title[0] == '\0') {
        std::snprintf(title, sizeof title, "%s", format::untitledWindowName);
        return;
    }
    for (char* p = title; *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7F)
            *p = ' ';
    }
}

// Appends `text` in one write, forces it onto the disk and closes the log;
// true when the text reached the file. A failed append (a full disk) is cut
// back off, so the next try does not continue a half-written line. A close
// that fails after the flush went through leaves the text in the file, so it
// counts as written: a retry would log the period twice.
bool appendAndClose(std::FILE* log, const std::string& text)
{
    std::uint64_t sizeBefore = 0;
    const bool sized = host::findFileSize(format::logFileName, &sizeBefore);
    bool written = std::fputs(text.c_str(), log) >= 0;
    written = std::fflush(log) == 0 && !std::ferror(log) && written;
    // The state saved next counts this record: it must be on disk first.
    written = written && host::flushFileToDisk(log);
    std::fclose(log);
    if (!written && sized)
        host::truncateFile(format::logFileName, sizeBefore);
    return written;
}

// Copies every byte, Ctrl-Z and NUL included; the number copied.
std::uint64_t copyStream(std::FILE* from, std::FILE* to)
{
    char chunk[64 * 1024];
    std::uint64_t copied = 0;
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, from)) > 0) {
        if (std::fwrite(chunk, 1, count, to) != count)
            return copied;
        copied += count;
    }
    return copied;
}

}  // namespace

void writeLogRecord()
{
    // The header carries the start-up number, which only the state file
    // tells: while another program holds it the run's first record waits.
    readHeldStateFile();
    if (stateFile.heldUnread && timeLog.logHeaderWritten == 0)
        return;
    std::FILE* log = std::fopen(format::logFileName, "a");
    bool written = false;
    bool appendFailed = false;
    if (log != nullptr) {
        captureDateTime();
        if (timeLog.logHeaderWritten == 0) {
            written = appendAndClose(log, headerLines());
            appendFailed = !written;
            if (written) {
                timeLog.logHeaderWritten = 1;
                std::snprintf(timeLog.previousTitle, sizeof timeLog.previousTitle, "%s",
                              format::firstRecordName);
            }
        } else {
            // A retry names the next period after the window that came above
            // when the change was first tried, not after whatever lies there
            // by the time the log can be written again.
            char title[windowTitleTextSize];
            host::WindowHandle above = shared.windowAbove;
            if (timeLog.changeKept) {
                std::memcpy(title, timeLog.changedWindowTitle, sizeof title);
                above = timeLog.changedWindow;
            } else {
                readWindowTitle(above, title);
            }
            const std::uint64_t now = host::tickCount();
            written = appendAndClose(log, recordLine(now - timeLog.lastRecordTick));
            appendFailed = !written;
            // Only a record that reached the file moves the log on; after a
            // failed write a later tick retries the same period, longer.
            if (written) {
                timeLog.changeKept = false;
                timeLog.loggedWindowAbove = above;
                std::memcpy(timeLog.currentTitle, title, sizeof title);
                timeLog.lastRecordTick = now;
                std::memcpy(timeLog.previousTitle, timeLog.currentTitle,
                            sizeof timeLog.previousTitle);
            }
        }
    }
    timeLog.lastTryFailed = !written;
    if (!written && timeLog.logHeaderWritten == 1 && !timeLog.changeKept) {
        timeLog.changeKept = true;
        timeLog.changedWindow = shared.windowAbove;
        readWindowTitle(shared.windowAbove, timeLog.changedWindowTitle);
    }
    if (!written) {
        // A try that wrote nothing is no record: it does not count, and the
        // next try waits a second unless the window changes.
        timeLog.failedTryTick = host::tickCount();
        timeLog.failedTryWindow = shared.windowAbove;
        // The run's start-up and time are kept all the same, so that a kill
        // loses at most a minute of them.
        if (!timeLog.failingTotalsSaved ||
            timeLog.failedTryTick - timeLog.failingTotalsTick >= failingTotalsIntervalMs) {
            timeLog.failingTotalsSaved = true;
            timeLog.failingTotalsTick = timeLog.failedTryTick;
            storeTotals();
        }
        // An append that failed found the file there: it cannot be written
        // (a full disk), and nothing of it is lost.
        announceFailure(timeLog.writeFailure,
                        appendFailed ? texts::logNotWritableMessage : texts::logNotWrittenMessage,
                        texts::errorCaption, host::MessageIcon::error);
        return;
    }
    timeLog.failingTotalsSaved = false;
    clearFailure(timeLog.writeFailure);
    saveState();
}

void leaveOutOfPeriod(std::uint64_t ms)
{
    // Before the first record the next one names the time since the system
    // started, which is the system's own figure.
    if (timeLog.lastRecordTick != 0)
        timeLog.lastRecordTick += ms;
}

bool logRecordDue()
{
    return !timeLog.lastTryFailed || shared.windowAbove != timeLog.failedTryWindow ||
           host::tickCount() - timeLog.failedTryTick >= logRetryIntervalMs;
}

bool logIsOverLimit(std::int64_t limit, std::uint64_t size)
{
    if (size == 0)
        return false;
    // A negative setting is below every size; sizes beyond 4 GiB still count.
    return limit < 0 || static_cast<std::uint64_t>(limit) < size;
}

void checkLogSize(void (*announceMove)())
{
    std::uint64_t size = 0;
    if (!host::findFileSize(format::logFileName, &size)) {
        // A new install has no log yet and nothing lost: it starts with an
        // empty one, without a word.
        if (stateFile.newInstall) {
            if (std::FILE* created = std::fopen(format::logFileName, "a"))
                std::fclose(created);
            return;
        }
        host::messageBox(texts::logNotFoundMessage, texts::errorCaption, host::MessageIcon::error);
        return;
    }
    if (!logIsOverLimit(decimalValue(stateFile.maxLogSizeText), size))
        return;

    // Binary: in text mode the C library on Windows ends the file at the
    // first Ctrl-Z byte, and the rest of the log would be lost.
    std::FILE* log = std::fopen(format::logFileName, "rb");
    if (log == nullptr) {
        host::messageBox(texts::logUnreadableMessage, texts::errorCaption,
                         host::MessageIcon::error);
        return;
    }
    announceMove();
    // The log is emptied only once the history holding every byte of it is
    // safely on disk.
    const bool moved =
        writeFileAtomically(format::historyFileName, format::historyTempFileName, "wb",
                            [log, size](std::FILE* history) {
                                return std::fputs(format::historyHeading, history) >= 0 &&
                                       copyStream(log, history) == size;
                            }) == AtomicWrite::written;
    std::fclose(log);
    if (!moved) {
        host::messageBox(texts::historyNotWrittenMessage, texts::errorCaption,
                         host::MessageIcon::error);
        return;
    }
    // Opening it empties it; the message that the log was kept is true only
    // when that open fails.
    std::FILE* emptied = std::fopen(format::logFileName, "w");
    if (emptied == nullptr)
        host::messageBox(texts::logNotEmptiedMessage, texts::errorCaption,
                         host::MessageIcon::error);
    else
        std::fclose(emptied);
}
