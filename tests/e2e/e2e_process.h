#pragma once
// Starts the real uravik.exe in a directory of its own and finds its window,
// as a person at the desktop would see it.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "companions/testing/win32_test_support.h"

using companion_test::readFile;
using companion_test::windowTitle;

// The program under test (URAVIK_EXE), or `fallback`, from the environment.
std::string fromEnvironment(const char* name, const char* fallback);
std::string uravikExe();
// A program built beside uravik.exe, by its file name.
std::string besideUravik(const std::string& name);

// True once the window's title shows the running time ("Uravik 0:...").
bool runsItsClock(HWND window);

class UravikProcess {
public:
    // Every path the tests spell in narrow characters is plain ASCII; wide
    // ones name folders the ANSI code page cannot spell. `arguments` are
    // for another program.
    UravikProcess(const std::filesystem::path& exe, const std::filesystem::path& workingDirectory,
                  const std::wstring& arguments = {});
    ~UravikProcess();
    UravikProcess(const UravikProcess&) = delete;
    UravikProcess& operator=(const UravikProcess&) = delete;

    bool started() const { return started_; }

    // The process's top-level window of class "Uravik" once `accept` holds
    // for it, or null after `timeoutMs`.
    HWND waitForMainWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs);

    // The exit code once the process has ended, or -1 when it did not end
    // within `timeoutMs`.
    long exitCodeWithin(DWORD timeoutMs);

    // Closes the window as the system menu's Close would; returns the exit
    // code as exitCodeWithin does, waiting up to 5 s.
    long closeAndWait(HWND window);

    // Ends the session as the system does at log-off or shutdown (the query,
    // then the end), then kills the process as the system may right after.
    void endSessionAndKill(HWND window);

    // Answers every open message box of the process (class "#32770") with
    // OK; returns the captions of the boxes answered, with their texts as
    // "CAPTION: text" when asked.
    std::string answerBoxes(bool withTexts = false) const;

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};
