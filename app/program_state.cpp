// Every process-wide variable of the program's portable part, defined in
// one place. Each struct's header says what it holds and who writes it; a
// test starts afresh by assigning each a new value.

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "common/shared_state.h"
#include "display/refresh_cache.h"
#include "timekeeping/away_time.h"
#include "timekeeping/clock.h"
#include "timekeeping/failure_notice.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

SharedState shared;
ShellState shell;
PortWatchState portWatch;
ClockState clockState;
StateFileState stateFile;
TimeLogState timeLog;
RefreshCache refreshCache;
AwayState away;
bool failureBoxesHeld = false;
