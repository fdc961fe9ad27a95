#pragma once
// Keeps a failing file write from flooding the user with message boxes. A
// box's own message loop delivers timer ticks, and every tick may try the
// same write again: so at most one box of a kind is open at a time, and a
// failure that goes on is announced once, until a write succeeds again.

#include "host/host.h"

struct FailureNotice {
    bool announced = false;  // the current run of failures has been told
    bool boxOpen = false;
};

// Set when the session ends: a modal box then would hold up the log-off
// until someone answers it, so failures are not shown but kept in a file
// for the next start-up.
extern bool failureBoxesHeld;

// At start-up: shows, once, what the end of the last session held back.
void tellFailuresHeldBack();

// Shows the box unless this failure was already told or its box is open.
void announceFailure(FailureNotice& notice, const char* text, const char* caption,
                     host::MessageIcon icon);

// A write of this kind succeeded: the next failure is news again.
void clearFailure(FailureNotice& notice);
