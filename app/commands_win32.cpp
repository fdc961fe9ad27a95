#include "app/commands_win32.h"

#include <cstdio>
#include <string>

#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "display/layout.h"
#include "host/window_handle_win32.h"
#include "timekeeping/persistence_texts.h"

namespace {

void placeButton(HWND button, const FieldRect& place)
{
    MoveWindow(button, place.x, place.y, place.width, place.height, TRUE);
}

// Resizes the main window where it stands: a view switch must not make the
// window jump to another place on the screen.
void resizeMainWindow(int width, int heightBelowCaption)
{
    HWND window = host::asHwnd(shared.mainWindow);
    RECT rect;
    GetWindowRect(window, &rect);
    MoveWindow(window, rect.left, rect.top, width,
               GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption, TRUE);
}

enum class ProgramFolder { system, uravik };

// The folder of the system's programs, or of uravik.exe, with a trailing
// backslash. In wide characters: a folder whose name the ANSI code page
// cannot spell would come back with "?" in it, and nothing would be found.
std::wstring folderOf(ProgramFolder folder)
{
    wchar_t path[MAX_PATH] = L"";
    if (folder == ProgramFolder::system) {
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::wstring(path) + L"\\" : std::wstring();
    }
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    std::wstring exe(path);
    return exe.substr(0, exe.find_last_of(L'\\') + 1);
}

std::wstring widened(const char* text)
{
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH);
    return wide;
}

void tellProgramNotStarted(const char* format, const std::wstring& program)
{
    if (shell.programBoxOpen)
        return;
    shell.programBoxOpen = true;
    char path[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, program.c_str(), -1, path, sizeof path, nullptr, nullptr);
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof text, format, path);
    host::messageBox(text, persistence_texts::errorCaption, host::MessageIcon::error);
    shell.programBoxOpen = false;
}

// Starts the program by its full path, so that no search can find a
// program of the same name elsewhere (the data folder first of all), and
// does not wait for it. The working directory is Uravik's own.
void startProgram(ProgramFolder folder, const char* program, const char* arguments)
{
    const std::wstring directory = folderOf(folder);
    const std::wstring path = directory + widened(program);
    // Without its folder the name alone would be looked up in the working
    // directory.
    if (directory.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        tellProgramNotStarted(shell_texts::programMissingMessage, path);
        return;
    }
    std::wstring commandLine = L"\"" + path + L"\"";
    if (arguments)
        commandLine += L" " + widened(arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        tellProgramNotStarted(shell_texts::programNotStartedMessage, path);
        return;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

void showCompactView()
{
    resizeMainWindow(layout::narrowViewWidth, layout::compactViewHeightBelowCaption);
    shared.compactView = 1;
    // "Avbryt" is shown only here, inside the 291-pixel window, so that the
    // small view can be reached.
    placeButton(buttons.cancelButton, layout::cancelButton);
    SetFocus(host::asHwnd(shared.mainWindow));
    SetWindowTextA(host::asHwnd(shared.mainWindow), shell_texts::compactViewTitle);
}

void showSmallView()
{
    resizeMainWindow(layout::narrowViewWidth, layout::smallViewHeightBelowCaption);
    shared.compactView = 0;
    placeButton(buttons.cancelButton, layout::noPlace);
}

// From either narrow view back to the full width, with the main view's
// buttons; the tick's next refresh sets the title to the running time.
void showMainView()
{
    resizeMainWindow(layout::mainViewWidth, layout::mainViewHeightBelowCaption);
    shared.compactView = 0;
    placeButton(buttons.cancelButton, layout::noPlace);
}

void switchEditMode(int on)
{
    shared.editMode = on;
    InvalidateRect(host::asHwnd(shared.mainWindow), nullptr, TRUE);
    placeButton(on ? buttons.editButton : buttons.okButton, layout::noPlace);
    placeButton(on ? buttons.okButton : buttons.editButton, layout::editButton);
    // Typed characters must reach the window procedure, not the button.
    if (on)
        SetFocus(host::asHwnd(shared.mainWindow));
}

}  // namespace

void carryOutCommand(WPARAM id)
{
    // The whole wParam is the id: a notification other than a click
    // (non-zero high half) matches no command.
    switch (id) {
        case cmdManual:
            startProgram(ProgramFolder::system, shell_texts::notepadProgram,
                         shell_texts::manualArguments);
            break;
        case cmdAbout:
            startProgram(ProgramFolder::uravik, shell_texts::aboutProgram, nullptr);
            break;
        case cmdStatistics:
            startProgram(ProgramFolder::uravik, shell_texts::statisticsProgram, nullptr);
            break;
        case cmdTimeList:
            startProgram(ProgramFolder::uravik, shell_texts::timeListProgram,
                         shell_texts::timeListArguments);
            break;
        case cmdCompactView:
            showCompactView();
            break;
        case cmdSmallView:
            showSmallView();
            break;
        case cmdEditOff:
            switchEditMode(0);
            break;
        case cmdEditOn:
            switchEditMode(1);
            break;
        default:
            break;
    }
}

void addMainViewMenuItem(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, sysCmdMainView, shell_texts::mainViewMenuItem);
}

bool carryOutSystemCommand(WPARAM command)
{
    // The system uses the low four bits of the value.
    if ((command & 0xFFF0) != sysCmdMainView)
        return false;
    showMainView();
    return true;
}
