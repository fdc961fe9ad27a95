#pragma once
// A run that pauses and goes on: the machine's sleep, and an end of the
// session that the process outlives (an installer's restart request may
// leave it running). The sleep is no running time: when the run goes on,
// its start and the last record move on by the sleep, so the run's time,
// the totals and the log's periods leave it out.

#include <cstdint>

// While asleep, a pause between two ticks this long shows that the machine
// slept and woke without telling.
constexpr std::uint64_t unannouncedSleepMs = 10'000;
// Ticks that go on this long after the sleep was announced, without such a
// pause, show that the machine never went to sleep.
constexpr std::uint64_t sleepNeverCameMs = 30'000;
// The process still runs this long after its session ended: the run goes on.
constexpr std::uint64_t outlivedSessionMs = 5'000;

// The machine goes to sleep: the run ends as at a close, until it wakes.
void suspendRun();
// The machine woke up: the run goes on, the sleep left out.
void resumeRun();
// The session ends: the run ends as at a close, unless the process lives on,
// and nothing that fails is shown in a box, which would hold up the log-off.
void endSession();
// The run's part of the session's end: recorded and paused.
void endRunWithSession();

// Each tick of an ended run, with the tick count of the tick before: takes
// the run up again once the machine or the process shows it runs on.
void takeUpRunWhenRunning(std::uint64_t previousTick);
