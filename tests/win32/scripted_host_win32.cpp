// The Win32 seam as the program has it, except the clock, the ports and the
// cursor, which the script sets.

#define tickCount realTickCount
#define localCalendarTime realLocalCalendarTime
#define probeSerialPort realProbeSerialPort
#define cursorPosInClient realCursorPosInClient
#include "host/host_win32.cpp"
#undef tickCount
#undef localCalendarTime
#undef probeSerialPort
#undef cursorPosInClient

#include "tests/win32/scripted_host_win32.h"

ScriptedHost scriptedHost;

namespace host {

std::uint64_t tickCount()
{
    return scriptedHost.tick;
}

CalendarTime localCalendarTime()
{
    const long long seconds =
        scriptedHost.startOfDay +
        static_cast<long long>(scriptedHost.tick + scriptedHost.calendarPhase) / 1000;
    CalendarTime now = scriptedHost.day;
    now.day += static_cast<int>(seconds / 86400);
    now.hour = static_cast<int>(seconds / 3600 % 24);
    now.minute = static_cast<int>(seconds / 60 % 60);
    now.second = static_cast<int>(seconds % 60);
    return now;
}

PortProbe probeSerialPort(int portNumber)
{
    return scriptedHost.portOpens[portNumber] ? PortProbe::opened : PortProbe::held;
}

Point cursorPosInClient(WindowHandle)
{
    return scriptedHost.cursor;
}

}  // namespace host
