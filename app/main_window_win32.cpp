#include "app/main_window_win32.h"

#include <wtsapi32.h>

#include "app/commands.h"
#include "app/commands_win32.h"
#include "app/port_watch.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "app/single_instance_win32.h"
#include "app/window_events.h"
#include "app/window_proc_win32.h"
#include "display/fonts_win32.h"
#include "display/layout.h"
#include "host/window_handle_win32.h"
#include "timekeeping/clock.h"
#include "win32/window_basics_win32.h"

namespace {

struct ButtonLayout {
    const char* caption;
    FieldRect place;
    Command id;
    HWND MainWindowButtons::*handle;
};

// In creation order. "Avbryt" and "OK" start with no size, so they can be
// neither seen nor clicked until a command gives them one.
constexpr ButtonLayout buttonLayouts[] = {
    {shell_texts::timeListCaption, layout::timeListButton, cmdTimeList,
     &MainWindowButtons::timeListButton},
    {shell_texts::statisticsCaption, layout::statisticsButton, cmdStatistics,
     &MainWindowButtons::statisticsButton},
    {shell_texts::configCaption, layout::compactViewButton, cmdCompactView,
     &MainWindowButtons::compactViewButton},
    {shell_texts::manualCaption, layout::manualButton, cmdManual, &MainWindowButtons::manualButton},
    {shell_texts::aboutCaption, layout::aboutButton, cmdAbout, &MainWindowButtons::aboutButton},
    {shell_texts::cancelCaption, layout::noPlace, cmdSmallView, &MainWindowButtons::cancelButton},
    {shell_texts::okCaption, layout::noPlace, cmdEditOff, &MainWindowButtons::okButton},
    {shell_texts::configCaption, layout::editButton, cmdEditOn, &MainWindowButtons::editButton},
};

}  // namespace

MainWindowButtons buttons;

bool registerMainWindowClass(HINSTANCE instance)
{
    return win32::registerWindowClass(
        instance,
        {shell_texts::className, mainWindowProc, LoadIconA(instance, shell_texts::iconName),
         static_cast<HICON>(LoadImageA(instance, shell_texts::iconName, IMAGE_ICON, 16, 16, 0)),
         static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), CS_DBLCLKS});
}

HWND createMainWindow(HINSTANCE instance, int showMode)
{
    const int height = GetSystemMetrics(SM_CYCAPTION) + layout::mainViewHeightBelowCaption;
    HWND window =
        CreateWindowExA(WS_EX_CLIENTEDGE, shell_texts::className, shell_texts::initialTitle,
                        WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                        layout::mainViewWidth, height, nullptr, nullptr, instance, nullptr);
    shared.mainWindow = host::asWindowHandle(window);
    // Locks and unlocks of the workstation; where the system sends none,
    // none are noted.
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
    addMainViewMenuItem(window);
    ShowWindow(window, showMode);
    return window;
}

void createButtons(HINSTANCE instance)
{
    HWND parent = host::asHwnd(shared.mainWindow);
    for (const ButtonLayout& b : buttonLayouts) {
        const FieldRect& r = b.place;
        buttons.*b.handle =
            CreateWindowExA(0, shell_texts::buttonClass, b.caption, WS_CHILD | WS_VISIBLE, r.x, r.y,
                            r.width, r.height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
    }
}

int runUravik(HINSTANCE instance, int showMode)
{
    // Before any file is touched: a second Uravik in this folder steps aside.
    WorkingDirectoryClaim claim;
    if (!claim.claimed()) {
        claim.bringOtherForward();
        return 0;
    }
    if (!registerMainWindowClass(instance))
        return 0;
    HWND window = createMainWindow(instance, showMode);
    claim.markWindow(window);
    createButtons(instance);
    SetTimer(window, tickTimerId, tickPeriodMs, nullptr);
    captureDateTime();
    loadDataFiles();
    createFonts();
    // A start-up message box lets paints through before the fonts exist;
    // what they drew in the system font is drawn again with the fonts.
    InvalidateRect(window, nullptr, TRUE);
    takePortInventory();
    shared.modemOnline = 0;
    return win32::runMessageLoop();
}
