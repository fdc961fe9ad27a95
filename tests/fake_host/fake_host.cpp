#include "tests/fake_host/fake_host.h"

#include <unistd.h>

#include <ctime>
#include <filesystem>

FakeHost fakeHost;

namespace {

// What `map` holds for `key`, empty when nothing: a read leaves the fake as
// the test set it, with no key added.
template <class Key>
const std::string& heldOrEmpty(const std::map<Key, std::string>& map, const Key& key)
{
    static const std::string empty;
    const auto found = map.find(key);
    return found != map.end() ? found->second : empty;
}

}  // namespace

namespace host {

std::uint64_t tickCount()
{
    return fakeHost.tick;
}

std::uint64_t lastInputTick()
{
    return fakeHost.lastInput;
}

CalendarTime localCalendarTime()
{
    if (fakeHost.calendarAtTickZero < 0)
        return fakeHost.calendar;
    const std::time_t now = fakeHost.calendarAtTickZero + fakeHost.tick / 1000;
    std::tm parts{};
    gmtime_r(&now, &parts);
    return {parts.tm_year, parts.tm_mon, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

WindowHandle visibleWindowAbove(WindowHandle)
{
    return fakeHost.windowAbove;
}

int windowTitle(WindowHandle window, char* buffer, int bufferSize)
{
    // An unknown window has an empty title.
    const int copied = std::snprintf(buffer, static_cast<std::size_t>(bufferSize), "%s",
                                     heldOrEmpty(fakeHost.titles, window).c_str());
    return copied < bufferSize ? copied : bufferSize - 1;
}

void setWindowTitle(WindowHandle, const char* text)
{
    fakeHost.titlesSet.emplace_back(text);
}

void invalidateRect(WindowHandle, int left, int top, int right, int bottom)
{
    fakeHost.invalidations.push_back({left, top, right, bottom});
}

void invalidateRects(WindowHandle, const Rect* rects, int count)
{
    fakeHost.invalidations.insert(fakeHost.invalidations.end(), rects, rects + count);
}

Point cursorPosInClient(WindowHandle)
{
    return fakeHost.cursor;
}

PortProbe probeSerialPort(int portNumber)
{
    fakeHost.probes.push_back(portNumber);
    if (fakeHost.portOpens.at(portNumber))
        return PortProbe::opened;
    return fakeHost.portMissing.at(portNumber) ? PortProbe::missing : PortProbe::held;
}

bool findFileSize(const char* name, std::uint64_t* size)
{
    std::error_code error;
    // As a directory search finds them, folders included (with no size).
    const auto bytes =
        std::filesystem::is_directory(name, error) ? 0 : std::filesystem::file_size(name, error);
    if (fakeHost.fileCallFails("findFileSize", name, nullptr) || error)
        return false;
    *size = bytes;
    return true;
}

bool readSetting(const char* name, const char* section, const char* key, char* buffer,
                 int bufferSize)
{
    // As the system does, a missing setting reads as empty.
    const std::string& value =
        heldOrEmpty(fakeHost.settings, std::string(name) + "/" + section + "/" + key);
    std::snprintf(buffer, static_cast<std::size_t>(bufferSize), "%s", value.c_str());
    return !value.empty();
}

bool flushFileToDisk(std::FILE* file)
{
    return !fakeHost.fileCallFails("flushFileToDisk", nullptr, file) && fsync(fileno(file)) == 0;
}

bool replaceFile(const char* source, const char* target)
{
    // Windows refuses to replace a read-only file; rename would not.
    const bool readOnly = access(target, F_OK) == 0 && access(target, W_OK) != 0;
    return !fakeHost.fileCallFails("replaceFile", target, nullptr) && !readOnly &&
           std::rename(source, target) == 0;
}

bool truncateFile(const char* name, std::uint64_t size)
{
    return ::truncate(name, static_cast<off_t>(size)) == 0;
}

void waitMilliseconds(int milliseconds)
{
    fakeHost.waitedMs += static_cast<std::uint64_t>(milliseconds);
    if (fakeHost.whileWaiting)
        fakeHost.whileWaiting();
}

void messageBox(const char* text, const char* caption, MessageIcon icon)
{
    fakeHost.messages.push_back({text, caption, icon});
    if (fakeHost.whileMessageBoxOpen)
        fakeHost.whileMessageBoxOpen();
}

}  // namespace host
