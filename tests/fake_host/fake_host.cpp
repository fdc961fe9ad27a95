#include "tests/fake_host/fake_host.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

FakeHost fakeHost;

namespace host {

std::uint64_t tickCount()
{
    return fakeHost.tick;
}

CalendarTime localCalendarTime()
{
    return fakeHost.calendar;
}

WindowHandle visibleWindowAbove(WindowHandle)
{
    return fakeHost.windowAbove;
}

int windowTitle(WindowHandle window, char* buffer, int bufferSize)
{
    const auto found = fakeHost.titles.find(window);
    const std::string title = found == fakeHost.titles.end() ? "" : found->second;
    const int copied =
        std::snprintf(buffer, static_cast<std::size_t>(bufferSize), "%s", title.c_str());
    return copied < bufferSize ? copied : bufferSize - 1;
}

void setWindowTitle(WindowHandle, const char* text)
{
    fakeHost.titlesSet.emplace_back(text);
    fakeHost.events.push_back(std::string("title ") + text);
}

void invalidateRect(WindowHandle window, int left, int top, int right, int bottom, bool erase)
{
    fakeHost.invalidations.push_back({window, left, top, right, bottom, erase});
    fakeHost.events.push_back("invalidate");
}

void invalidateRects(WindowHandle window, const Rect* rects, int count)
{
    for (int i = 0; i < count; ++i)
        fakeHost.invalidations.push_back(
            {window, rects[i].left, rects[i].top, rects[i].right, rects[i].bottom, false});
    fakeHost.events.push_back("invalidate");
}

Point cursorPosInClient(WindowHandle)
{
    return fakeHost.cursor;
}

PortProbe probeSerialPort(int portNumber)
{
    fakeHost.probes.push_back(portNumber);
    fakeHost.events.push_back("probe COM" + std::to_string(portNumber));
    const auto n = static_cast<std::size_t>(portNumber);
    if (fakeHost.portOpens.at(n))
        return PortProbe::opened;
    return fakeHost.portMissing.at(n) ? PortProbe::missing : PortProbe::held;
}

bool findFileSize(const char* name, std::uint64_t* size)
{
    if (fakeHost.fileCallFails && fakeHost.fileCallFails("findFileSize", name, nullptr))
        return false;
    std::error_code error;
    // As a directory search finds them, folders included (with no size).
    if (std::filesystem::is_directory(name, error)) {
        *size = 0;
        return true;
    }
    const auto bytes = std::filesystem::file_size(name, error);
    if (error)
        return false;
    *size = bytes;
    return true;
}

bool flushFileToDisk(std::FILE* file)
{
    fakeHost.events.push_back("flush");
    if (fakeHost.flushFails ||
        (fakeHost.fileCallFails && fakeHost.fileCallFails("flushFileToDisk", nullptr, file)))
        return false;
    return fsync(fileno(file)) == 0;
}

bool replaceFile(const char* source, const char* target)
{
    if (fakeHost.fileCallFails && fakeHost.fileCallFails("replaceFile", target, nullptr))
        return false;
    if (fakeHost.replaceFails)
        return false;
    // Windows refuses to replace a read-only file; rename would not.
    if (access(target, F_OK) == 0 && access(target, W_OK) != 0)
        return false;
    return std::rename(source, target) == 0;
}

bool truncateFile(const char* name, std::uint64_t size)
{
    fakeHost.events.push_back(std::string("truncate ") + name);
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
    fakeHost.events.push_back(std::string("message ") + caption);
    if (fakeHost.whileMessageBoxOpen)
        fakeHost.whileMessageBoxOpen();
}

}  // namespace host
