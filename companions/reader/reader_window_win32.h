#pragma once
// The log reader's window ("Tidlista"): the log as a table with one row per
// record, the runs as heading rows, a filter, and the history before the log.
// The list view holds no data of its own (owner data), so a 4 MB log opens
// at once; a timer follows the file while it grows.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "companions/engine/log_parser.h"
#include "companions/engine/log_rows.h"

// Control ids, for the window procedure and the tests.
enum ReaderControl {
    readerFilterEdit = 101,
    readerHistoryBox = 102,
    readerList = 103,
    readerStatus = 104,
};

// How often the reader looks whether the log has grown.
constexpr UINT readerFollowTimer = 1;
constexpr UINT readerFollowMs = 1000;

struct ReaderState {
    std::string logPath;
    std::string historyPath;  // empty when the log is the history itself
    bool showHistory = true;

    uvlog::ParsedLog log;
    uvlog::ParsedLog history;
    std::uint64_t logSize = 0;  // bytes of the log read so far
    std::uint64_t historySize = 0;
    bool logFound = false;

    std::string foldedFilter;
    uvlog::RowSources sources;
    std::vector<uvlog::LogRow> rows;

    HWND window = nullptr;
    HWND list = nullptr;
    HWND filterEdit = nullptr;
    HWND historyBox = nullptr;
    HWND status = nullptr;
    HFONT headingFont = nullptr;  // owned: made at creation, deleted at destruction
};

extern ReaderState readerState;

bool registerReaderClass(HINSTANCE instance);

// Opens the reader's window on the log file `path` (the history is the
// yhist.dab beside it).
HWND createReaderWindow(HINSTANCE instance, const std::string& path, int showMode);

// Reads what the log and the history have gained since the last look, and
// reads them again whole when they have shrunk (the log was moved away).
void followLogFiles();
