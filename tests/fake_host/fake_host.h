#pragma once
// A scripted stand-in for the platform, linked into the native tests in place
// of host_win32.cpp. Tests set what the platform will answer and read back
// what the logic asked of it.

#include <cstdio>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"

struct FakeHost {
    struct Message {
        std::string text;
        std::string caption;
        host::MessageIcon icon;
        // Tests compare whole boxes, and a failure prints the box.
        bool operator==(const Message& o) const
        {
            return text == o.text && caption == o.caption && icon == o.icon;
        }
        friend void PrintTo(const Message& m, std::ostream* os)
        {
            *os << '{' << m.caption << ": \"" << m.text << "\", "
                << (m.icon == host::MessageIcon::error ? "error" : "no icon") << '}';
        }
    };

    std::uint64_t tick = 0;
    std::uint64_t lastInput = 0;  // the tick of the latest input
    // What readSetting finds, by "file/section/key".
    std::map<std::string, std::string> settings;
    host::CalendarTime calendar;
    // When set, the calendar runs with the tick instead: the seconds since
    // 1970 at tick 0, as a UTC time taken for the local one.
    long long calendarAtTickZero = -1;
    host::WindowHandle windowAbove = 0;
    std::map<host::WindowHandle, std::string> titles;
    host::Point cursor;
    std::vector<bool> portOpens = std::vector<bool>(8, false);  // index n for COMn
    // A port that does not open is held by another program unless it is gone.
    std::vector<bool> portMissing = std::vector<bool>(8, false);
    // Asked before each file call of the seam ("flushFileToDisk" with its
    // stream, "replaceFile" and "findFileSize" with the file's name); the
    // call fails when it answers true.
    std::function<bool(const char* call, const char* name, std::FILE* stream)> fileCallFails =
        [](const char*, const char*, std::FILE*) { return false; };

    // What the logic did, in order.
    std::vector<std::string> titlesSet;
    std::vector<host::Rect> invalidations;
    std::vector<Message> messages;
    std::vector<int> probes;

    // Time spent in waitMilliseconds, and what happens meanwhile (another
    // program letting go of a file).
    std::uint64_t waitedMs = 0;
    std::function<void()> whileWaiting;

    // Runs while a message box is "open", as a box's own message loop would
    // deliver ticks.
    std::function<void()> whileMessageBoxOpen;
};

extern FakeHost fakeHost;
