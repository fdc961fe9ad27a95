#include "app/window_events.h"

#include "app/port_watch.h"
#include "app/run_pause.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "app/window_title.h"
#include "common/shared_state.h"
#include "display/input_fields.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/away_time.h"
#include "timekeeping/clock.h"
#include "timekeeping/failure_notice.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

void loadDataFiles()
{
    removeLeftoverTempFiles();
    loadState();
    // The totals are in: from here a close or the end of the session (in a
    // start-up box's own message loop) stores the run, and the tick logs.
    shell.startupComplete = true;
    startAwayWatch();
    // The log first: its check finds it as it was at start-up, before a
    // box's ticks create it or write to it.
    checkLogSize(announceLogMove);
    reportStateFile();
    tellFailuresHeldBack();
}

void runTick()
{
    if (shell.runEnded)
        takeUpRunWhenRunning(shell.previousTick);
    shell.previousTick = host::tickCount();
    shared.windowAbove = host::visibleWindowAbove(shared.mainWindow);
    if (shell.startupComplete && !shell.runEnded &&
        shared.windowAbove != timeLog.loggedWindowAbove && logRecordDue()) {
        updateCounters();
        writeLogRecord();
    }

    if (++shell.portWatchTicks == portWatchEveryTicks) {
        shell.portWatchTicks = 0;
        const int wasOnline = shared.modemOnline;
        watchPortStep();
        if (shell.startupComplete && !shell.runEnded)
            watchInput();
        // The title showed the internet time while on line; in the compact
        // view no refresh would take it away again.
        if (wasOnline == 1 && shared.modemOnline == 0 && shared.compactView == 1)
            host::setWindowTitle(shared.mainWindow, shell_texts::compactViewTitle);
    }

    if (++shell.refreshTicks == refreshEveryTicks) {
        shell.refreshTicks = 0;
        // A state file held at start-up is read as soon as it comes free, so
        // that the totals shown go on from it.
        if (shell.startupComplete)
            readHeldStateFile();
        updateCounters();
        invalidateRefreshedBoxes(shared.mainWindow);
        refreshTitle();
    }
}

void endRun()
{
    recordEndOfRun();
    if (shell.startupComplete)
        shell.pause = RunPause::closed;
    stopAwayWatch();
}

void recordEndOfRun()
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

void selectFieldAtCursor()
{
    if (shared.editMode == 0)
        return;
    const FieldRect& a = layout::highRateCostInput;
    const FieldRect& b = layout::modemPortInput;
    shell.selectedField =
        hitTestField(shared.mainWindow, a.x, a.y, a.width, a.height, highRateCostField);
    if (shell.selectedField == 0)
        shell.selectedField =
            hitTestField(shared.mainWindow, b.x, b.y, b.width, b.height, modemPortField);
}

void typeIntoSelectedField(int code)
{
    // Edit mode is not consulted: a field stays selected after "OK".
    if (shell.selectedField == highRateCostField) {
        const FieldRect& r = layout::highRateCostInput;
        editFieldText(shared.mainWindow, r.x, r.y, r.width, r.height, code, shared.highRateCostText,
                      shell.highRateCostLength);
    }
    if (shell.selectedField == modemPortField) {
        const FieldRect& r = layout::modemPortInput;
        editFieldText(shared.mainWindow, r.x, r.y, r.width, r.height, code, shared.modemPortText,
                      shell.modemPortLength);
    }
}
