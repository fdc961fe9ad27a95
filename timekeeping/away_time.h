#pragma once
// yborta.dab, the periods nobody was at the computer: no keyboard or mouse
// input for the away limit, the workstation locked, the machine asleep. Each
// period is appended with its cause when it ends. Periods never overlap:
// sleep rules over a lock, a lock over idleness, and where one cause follows
// another the earlier period ends where the next begins.

#include <cstdint>
#include <string>

#include "timekeeping/failure_notice.h"

enum class AwayCause { none, idle, locked, asleep };

// Only away_time.cpp writes AwayState.
struct AwayState {
    int limitMinutes = 0;   // 0: nothing is noted
    bool watching = false;  // a run is under way, or asleep
    bool locked = false;
    bool asleep = false;
    AwayCause cause = AwayCause::none;  // the period under way
    std::uint64_t beganTick = 0;
    std::string beganText;  // its start as the file writes it
    // The latest input when the idle period began; a later one ends it.
    std::uint64_t idleInputTick = 0;
    // No period begins before the run did, nor before the last one ended.
    std::uint64_t earliestTick = 0;
    // Lines a failed write left, written before the next period's.
    std::string unwritten;
    FailureNotice writeFailure;
};

extern AwayState away;

// The away limit in minutes that a settings text gives: the default for a
// missing or bad value.
int awayLimitMinutes(const char* text);

// At start-up, once the run's start is taken: reads the limit and begins.
void startAwayWatch();

// Once a second while the run is under way: an idle period begins once no
// input came for the limit, at the latest input (the whole gap counts), and
// ends at the next input.
void watchInput();

void noteLocked(bool locked);

// The machine goes to sleep: the period under way ends, a sleep begins.
void noteAsleep();
// The run is taken up again: after a sleep (`slept` false when the machine
// never went to sleep after all: no sleep is noted), or after the end of the
// session that did not end the process.
void noteAwake(bool slept);

// The run ends: the period under way is noted up to now.
void stopAwayWatch();
