#include "tests/e2e/e2e_process.h"

#include <cstdlib>

std::string fromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

std::string uravikExe()
{
    return fromEnvironment("URAVIK_EXE", "uravik.exe");
}

std::string besideUravik(const std::string& name)
{
    return std::filesystem::path(uravikExe()).replace_filename(name).string();
}

bool runsItsClock(HWND window)
{
    return windowTitle(window).rfind("Uravik 0:", 0) == 0;
}

UravikProcess::UravikProcess(const std::filesystem::path& exe,
                             const std::filesystem::path& workingDirectory,
                             const std::wstring& arguments)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine =
        L"\"" + exe.wstring() + L"\"" + (arguments.empty() ? L"" : L" ") + arguments;
    // A Unix program started through Wine comes without a process handle.
    started_ = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              workingDirectory.c_str(), &startup, &process_) != 0;
}

UravikProcess::~UravikProcess()
{
    if (!started())
        return;
    TerminateProcess(process_.hProcess, 99);  // refused once it has ended
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND UravikProcess::waitForMainWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        for (HWND w = FindWindowExA(nullptr, nullptr, "Uravik", nullptr); w;
             w = FindWindowExA(nullptr, w, "Uravik", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == process_.dwProcessId && accept(w))
                return w;
        }
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

long UravikProcess::closeAndWait(HWND window)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return exitCodeWithin(5000);
}

long UravikProcess::exitCodeWithin(DWORD timeoutMs)
{
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

void UravikProcess::endSessionAndKill(HWND window)
{
    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
}

std::string UravikProcess::answerBoxes(bool withTexts) const
{
    std::string answered;
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;) {
        HWND next = FindWindowExA(nullptr, box, "#32770", nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        // A box becomes visible once its caption and text are set.
        if (owner == process_.dwProcessId && IsWindowVisible(box)) {
            answered += (answered.empty() ? "" : ",") + windowTitle(box) +
                        (withTexts ? ": " + companion_test::controlText(box, 0xFFFF) : "");
            // Sent, not posted: the box hides as it is answered, so a look
            // straight after cannot count it twice, however slow the system.
            SendMessageTimeoutA(box, WM_COMMAND, IDOK, 0, SMTO_NORMAL, 5000, nullptr);
        }
        box = next;
    }
    return answered;
}
