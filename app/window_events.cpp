#include "app/window_events.h"

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "display/input_fields.h"
#include "timekeeping/clock.h"
#include "timekeeping/time_log.h"

void runTick()
{
    shell.windowAbove = host::visibleWindowAbove(shell.mainWindow);
    if (shell.startupComplete && shell.windowAbove != shell.loggedWindowAbove) {
        updateCounters();
        writeLogRecord();
    }

    if (++shell.portWatchTicks == portWatchEveryTicks) {
        shell.portWatchTicks = 0;
        watchPortStep();
    }

    if (++shell.refreshTicks == refreshEveryTicks) {
        shell.refreshTicks = 0;
        updateCounters();
        invalidateRefreshedBoxes(shell.mainWindow);
        if (shell.compactView == 0 && portWatch.modemOnline == 0)
            host::setWindowTitle(shell.mainWindow, clockState.titleText);
    }
}

void selectFieldAtCursor()
{
    if (shell.editMode == 0)
        return;
    const FieldRect& a = highRateCostRect;
    const FieldRect& b = modemPortRect;
    shell.selectedField = hitTestField(shell.mainWindow, a.x, a.y, a.width, a.height,
                                       highRateCostField);
    if (shell.selectedField == 0)
        shell.selectedField =
            hitTestField(shell.mainWindow, b.x, b.y, b.width, b.height, modemPortField);
}

void typeIntoSelectedField(int code)
{
    // Edit mode is not consulted: a field stays selected after "OK".
    if (shell.selectedField == highRateCostField) {
        const FieldRect& r = highRateCostRect;
        editFieldText(shell.mainWindow, r.x, r.y, r.width, r.height, code,
                      shell.highRateCostText, shell.highRateCostLength);
    }
    if (shell.selectedField == modemPortField) {
        const FieldRect& r = modemPortRect;
        editFieldText(shell.mainWindow, r.x, r.y, r.width, r.height, code, shell.modemPortText,
                      shell.modemPortLength);
    }
}
