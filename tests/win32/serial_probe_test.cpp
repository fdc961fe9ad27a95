// The serial port probe on a stand-in COM5 (tests/win32/modem_line.sh): a
// port another program holds reads as held, a port that is gone as missing.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "host/host.h"

namespace {

TEST(SerialProbe, TellsAnOpenAHeldAndAMissingPortApart)
{
    const char* line = std::getenv("URAVIK_MODEM_LINE");
    if (line == nullptr)
        GTEST_SKIP() << "no stand-in COM5 (run through ctest)";
    ASSERT_EQ(host::probeSerialPort(5), host::PortProbe::opened);

    HANDLE connection =
        CreateFileA("COM5", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(connection, INVALID_HANDLE_VALUE);
    EXPECT_EQ(host::probeSerialPort(5), host::PortProbe::held);
    CloseHandle(connection);
    EXPECT_EQ(host::probeSerialPort(5), host::PortProbe::opened);

    ASSERT_TRUE(DeleteFileA(line));  // the adapter is unplugged
    EXPECT_EQ(host::probeSerialPort(5), host::PortProbe::missing);
}

}  // namespace
