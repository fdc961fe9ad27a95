#include "app/run_pause.h"

#include "app/shell_state.h"
#include "app/window_events.h"
#include "host/host.h"
#include "timekeeping/away_time.h"
#include "timekeeping/clock.h"
#include "timekeeping/failure_notice.h"
#include "timekeeping/time_log.h"

namespace {

// The run goes on with `sleepMs` left out of its running time.
void goOn(std::uint64_t sleepMs, bool slept)
{
    leaveOutOfRun(sleepMs);
    leaveOutOfPeriod(sleepMs);
    shell.runEnded = false;
    shell.pause = RunPause::none;
    // A process that outlived its session has a user again to tell.
    failureBoxesHeld = false;
    noteAwake(slept);
}

void pause(RunPause why)
{
    shell.pause = why;
    shell.pausedTick = host::tickCount();
}

}  // namespace

void suspendRun()
{
    if (!shell.startupComplete || shell.pause == RunPause::asleep ||
        shell.pause == RunPause::closed)
        return;
    recordEndOfRun();
    pause(RunPause::asleep);
    noteAsleep();
}

void resumeRun()
{
    if (shell.pause == RunPause::asleep)
        goOn(host::tickCount() - shell.pausedTick, true);
    else if (shell.pause == RunPause::sessionEnded)
        goOn(0, false);
}

void endSession()
{
    // A box now would hold up the log-off: what fails is told at the next
    // start-up instead.
    failureBoxesHeld = true;
    endRunWithSession();
}

void endRunWithSession()
{
    if (!shell.startupComplete || shell.pause == RunPause::closed)
        return;
    recordEndOfRun();
    if (shell.pause == RunPause::none)
        pause(RunPause::sessionEnded);
    stopAwayWatch();
}

void takeUpRunWhenRunning(std::uint64_t previousTick)
{
    const std::uint64_t now = host::tickCount();
    const std::uint64_t since = now - shell.pausedTick;
    if (shell.pause == RunPause::sessionEnded && since >= outlivedSessionMs) {
        goOn(0, false);
    } else if (shell.pause == RunPause::asleep) {
        const std::uint64_t lastAwake =
            previousTick > shell.pausedTick ? previousTick : shell.pausedTick;
        if (now - lastAwake >= unannouncedSleepMs)
            goOn(now - lastAwake, true);
        else if (since >= sleepNeverCameMs)
            goOn(0, false);
    }
}
