#include "tests/e2e/e2e_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

std::string fromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

std::string uravikExe()
{
    return fromEnvironment("URAVIK_EXE", "uravik.exe");
}

std::string makeEmptyDirectory(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string dir = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) +
                            "-" + std::to_string(GetTickCount64());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string windowTitle(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool runsItsClock(HWND window)
{
    return windowTitle(window).rfind("Uravik 0:", 0) == 0;
}

UravikProcess::UravikProcess(const std::string& exePath, const std::string& workingDirectory)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> commandLine(exePath.begin(), exePath.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &process_))
        process_ = {};
}

UravikProcess::UravikProcess(const std::wstring& exePath, const std::wstring& workingDirectory)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!CreateProcessW(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &process_))
        process_ = {};
}

UravikProcess::~UravikProcess()
{
    if (!started())
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 99);
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

long UravikProcess::closeAndWait(HWND window, DWORD timeoutMs)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return exitCodeWithin(timeoutMs);
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

std::string answerMessageBoxes(DWORD processId, bool withTexts)
{
    std::string answered;
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;) {
        HWND next = FindWindowExA(nullptr, box, "#32770", nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        // A box becomes visible once its caption and text are set.
        if (owner == processId && IsWindowVisible(box)) {
            char text[512] = "";
            if (withTexts)
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            answered +=
                (answered.empty() ? "" : ",") + windowTitle(box) + (withTexts ? ": " : "") + text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        box = next;
    }
    return answered;
}

bool copyFile(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

long totalSeconds(const std::string& state)
{
    long startups = 0, hours = 0, minutes = 0, seconds = 0;
    std::sscanf(state.c_str(),
                "%ld   =Uppstarter\r\n%ld   =Timmar totalt\r\n%ld   =Minuter totalt\r\n%ld",
                &startups, &hours, &minutes, &seconds);
    return hours * 3600 + minutes * 60 + seconds;
}

std::string artifactsDirectory()
{
    const std::string path = fromEnvironment("URAVIK_E2E_ARTIFACTS", ".");
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void keepDataFiles(const std::string& workingDirectory)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string kept =
        artifactsDirectory() + "\\" +
        (test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("data"));
    CreateDirectoryA(kept.c_str(), nullptr);
    for (const char* pattern : {"\\*.dab", "\\*.txt"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((workingDirectory + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            copyFile(workingDirectory + "\\" + found.cFileName, kept + "\\" + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}
