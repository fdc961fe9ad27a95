#include "app/window_proc_win32.h"

#include <wtsapi32.h>

#include "app/commands_win32.h"
#include "app/run_pause.h"
#include "app/window_events.h"
#include "app/window_title.h"
#include "display/paint_window_win32.h"
#include "timekeeping/away_time.h"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_DESTROY:
            KillTimer(window, tickTimerId);
            WTSUnRegisterSessionNotification(window);
            endRun();
            PostQuitMessage(0);
            return 0;
        case WM_ENDSESSION:
            // The system may end the process as soon as this returns, with no
            // WM_DESTROY: the run's time is saved now or never. A process
            // that lives on (an installer's restart request) takes it up again.
            if (wParam)
                endSession();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND)
                suspendRun();
            else if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC)
                resumeRun();
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK)
                noteLocked(wParam == WTS_SESSION_LOCK);
            return 0;
        case WM_PAINT:
            paintWindow(window);
            titleAfterPaint();
            return 0;
        case WM_TIMER:  // every timer message is a tick
            runTick();
            return 0;
        case WM_LBUTTONDOWN:
            selectFieldAtCursor();
            return 0;
        case WM_CHAR:
            typeIntoSelectedField(static_cast<int>(wParam));
            return 0;
        case WM_COMMAND:
            carryOutCommand(wParam);
            return 0;
        case WM_SYSCOMMAND:
            if (carryOutSystemCommand(wParam))
                return 0;
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
