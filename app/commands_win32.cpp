#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"

namespace {

HWND asHwnd(host::WindowHandle handle)
{
    return reinterpret_cast<HWND>(handle);
}

// Resizes the main window where it stands: a view switch must not make the
// window jump to another place on the screen.
void resizeMainWindow(int width, int heightBelowCaption)
{
    HWND window = asHwnd(shell.mainWindow);
    RECT rect;
    GetWindowRect(window, &rect);
    MoveWindow(window, rect.left, rect.top, width,
               GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption, TRUE);
}

// "Avbryt" is shown only in the compact view, beside "Tidlista", inside the
// 291-pixel window, so that the small view can be reached.
constexpr int cancelButtonX = 194;
constexpr int cancelButtonY = 190;
constexpr int cancelButtonWidth = 52;
constexpr int cancelButtonHeight = 25;

void startCompanion(const char* commandLine)
{
    // Not waited for; a companion that cannot be found leaves no trace.
    WinExec(commandLine, SW_SHOW);
}

void showCompactView()
{
    resizeMainWindow(narrowViewWidth, compactViewHeightBelowCaption);
    shell.compactView = 1;
    MoveWindow(asHwnd(shell.cancelButton), cancelButtonX, cancelButtonY, cancelButtonWidth,
               cancelButtonHeight, TRUE);
    SetFocus(asHwnd(shell.mainWindow));
    SetWindowTextA(asHwnd(shell.mainWindow), shell_texts::compactViewTitle);
}

void showSmallView()
{
    resizeMainWindow(narrowViewWidth, smallViewHeightBelowCaption);
    shell.compactView = 0;
    MoveWindow(asHwnd(shell.cancelButton), 0, 0, 0, 0, TRUE);
}

void switchEditMode(int on)
{
    shell.editMode = on;
    InvalidateRect(asHwnd(shell.mainWindow), nullptr, TRUE);
    HWND hidden = asHwnd(on ? shell.editButton : shell.okButton);
    HWND shown = asHwnd(on ? shell.okButton : shell.editButton);
    MoveWindow(hidden, 0, 0, 0, 0, TRUE);
    MoveWindow(shown, editButtonX, editButtonY, editButtonWidth, editButtonHeight, TRUE);
    // Typed characters must reach the window procedure, not the button.
    if (on)
        SetFocus(asHwnd(shell.mainWindow));
}

}  // namespace

void carryOutCommand(WPARAM id)
{
    // The whole wParam is the id: a notification other than a click
    // (non-zero high half) matches no command.
    switch (id) {
    case cmdManual:
        startCompanion(shell_texts::manualCommand);
        break;
    case cmdAbout:
        startCompanion(shell_texts::aboutCommand);
        break;
    case cmdStatistics:
        startCompanion(shell_texts::statisticsCommand);
        break;
    case cmdTimeList:
        startCompanion(shell_texts::timeListCommand);
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
