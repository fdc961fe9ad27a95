#include "app/port_watch.h"

#include "host/host.h"

void takePortInventory()
{
    for (int n = 1; n <= portCount; ++n)
        portWatch.portAvailable[n - 1] =
            host::probeSerialPort(n) == host::PortProbe::opened ? 1 : 0;
}

void watchPortStep()
{
    PortWatchState& w = portWatch;
    if (w.watchedPort > 6)
        w.watchedPort = 0;
    if (shared.modemOnline == 0)
        ++w.watchedPort;
    // Position 7 is a pass without a port: COM7 is only inventoried.
    if (w.watchedPort >= 1 && w.watchedPort <= 6 && w.portAvailable[w.watchedPort - 1] == 1) {
        shared.probedPort = w.watchedPort;
        // A port that has gone away (an unplugged adapter) is no connection.
        shared.modemOnline = host::probeSerialPort(w.watchedPort) == host::PortProbe::held ? 1 : 0;
    }
}
