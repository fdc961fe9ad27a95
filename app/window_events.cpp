#include "app/window_events.h"

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "display/input_fields.h"
#include "timekeeping/clock.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

void runTick()
{
    shell.windowAbove = host::visibleWindowAbove(shell.mainWindow);
    if (shell.startupComplete && !shell.runEnded && shell.windowAbove != shell.loggedWindowAbove &&
        logRecordDue()) {
        updateCounters();
        writeLogRecord();
    }

    if (++shell.portWatchTicks == portWatchEveryTicks) {
        shell.portWatchTicks = 0;
        const int wasOnline = portWatch.modemOnline;
        watchPortStep();
        // Painting put the internet text into the title while on line; in
        // the compact view no refresh would take it away again.
        if (wasOnline == 1 && portWatch.modemOnline == 0 && shell.compactView == 1)
            host::setWindowTitle(shell.mainWindow, shell_texts::compactViewTitle);
    }

    if (++shell.refreshTicks == refreshEveryTicks) {
        shell.refreshTicks = 0;
        updateCounters();
        invalidateRefreshedBoxes(shell.mainWindow);
        if (shell.compactView == 0 && portWatch.modemOnline == 0)
            host::setWindowTitle(shell.mainWindow, clockState.titleText);
    }
}

void endRun()
{
    // Nothing before the state is loaded (it would be overwritten), and only
    // once however many of the ending messages arrive.
    if (!shell.startupComplete || shell.runEnded)
        return;
    shell.runEnded = true;
    // The period that is ending gets its record, as if the window above had
    // changed now; a run that wrote nothing yet writes its header first.
    updateCounters();
    if (timeLog.logHeaderWritten == 0)
        writeLogRecord();
    if (timeLog.logHeaderWritten == 1)
        writeLogRecord();
    // The totals grow by the whole run even when the log cannot take it.
    if (timeLog.lastTryFailed)
        storeTotals();
}

void resumeRun()
{
    shell.runEnded = false;
}

void selectFieldAtCursor()
{
    if (shell.editMode == 0)
        return;
    const FieldRect& a = highRateCostRect;
    const FieldRect& b = modemPortRect;
    shell.selectedField =
        hitTestField(shell.mainWindow, a.x, a.y, a.width, a.height, highRateCostField);
    if (shell.selectedField == 0)
        shell.selectedField =
            hitTestField(shell.mainWindow, b.x, b.y, b.width, b.height, modemPortField);
}

void typeIntoSelectedField(int code)
{
    // Edit mode is not consulted: a field stays selected after "OK".
    if (shell.selectedField == highRateCostField) {
        const FieldRect& r = highRateCostRect;
        editFieldText(shell.mainWindow, r.x, r.y, r.width, r.height, code, shell.highRateCostText,
                      shell.highRateCostLength);
    }
    if (shell.selectedField == modemPortField) {
        const FieldRect& r = modemPortRect;
        editFieldText(shell.mainWindow, r.x, r.y, r.width, r.height, code, shell.modemPortText,
                      shell.modemPortLength);
    }
}
