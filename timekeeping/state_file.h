#pragma once
// ysave.dab: the start-up count, the total running time, the applications
// total and the log size limit, carried from one run to the next.

#include <cstddef>
#include <cstdint>

#include "timekeeping/failure_notice.h"

constexpr std::size_t maxLogSizeTextSize = 20;

// The start-up box about ysave.dab, if any.
enum class StateFileNotice { none, notFound, unreadable, held };

// Only state_file.cpp writes StateFileState.
struct StateFileState {
    std::int32_t startupCount = 1;  // this start-up: the stored count plus 1
    std::int32_t savedAppTotal = 0;
    std::int32_t appCount = 0;  // saves in this run; the log's record number
    // As read from line 6, with its line end when the line was short enough
    // for the read to take it.
    char maxLogSizeText[maxLogSizeTextSize] = "";
    FailureNotice saveFailure;

    // None of the three data files was there at start-up: a new install (or
    // a new data folder) starts quietly.
    bool newInstall = false;
    // A ysave.dab that could not be read as a state file is kept under this
    // name before anything replaces it; empty when there is none to keep.
    char keptStateFileName[16] = "";
    bool keptStateFilePending = false;  // not renamed yet: no save may replace it
    bool stateFileKept = false;         // renamed: the start-up box may say where

    // ysave.dab was there but could not be opened at all (another program
    // held it): read at a later save, and not replaced before.
    bool heldUnread = false;
    StateFileNotice startupNotice = StateFileNotice::none;
};

extern StateFileState stateFile;

// Reads ysave.dab once at start-up into the start-up count, the saved totals
// (clockState), the applications total and the size setting. Shows no box:
// what it found is told by reportStateFile.
void loadState();

// The start-up box about what loadState found, if any.
void reportStateFile();

// Reads a ysave.dab that was held at start-up, once it can be opened.
void readHeldStateFile();

// Rewrites ysave.dab from the current totals; counts one more application.
void saveState();

// Rewrites ysave.dab from the current totals without counting an
// application: the end of a run whose last record could not be written.
void storeTotals();
