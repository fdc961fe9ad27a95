#pragma once
// The log reader's window ("Tidlista"): the log as a table with one row per
// record, dated from its run's start-up, the runs as heading rows, a filter,
// and the history before the log. The list view holds no data of its own
// (owner data), so a 4 MB log opens at once; a larger file shows its last
// readerMaxBytes. A timer follows the file while it grows and reads it again
// when another file has taken its place.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "companions/engine/followed_file.h"
#include "companions/engine/log_parser.h"
#include "companions/engine/log_rows.h"
#include "companions/engine/privacy.h"
#include "win32/gdi_scoped_win32.h"

// Control ids, for the window procedure and the tests.
enum ReaderControl {
    readerFilterEdit = 101,
    readerHistoryBox = 102,
    readerList = 103,
    readerStatus = 104,
};

// The most of one file the reader holds: the newest part of a larger one.
constexpr std::uint64_t readerMaxBytes = 64ull << 20;

// How often the reader looks whether the log has grown.
constexpr UINT readerFollowTimer = 1;
constexpr UINT readerFollowMs = 1000;

struct ReaderState {
    bool showHistory = true;

    uvlog::FollowedFile log;
    uvlog::FollowedFile history;
    uvlog::PrivacyList privacy;  // from uvdolt.txt beside the log
    uvlog::AwayPeriods away;     // from yborta.dab beside the log
    std::uint64_t awaySize = 0;  // its size when read, to see it grow

    std::string foldedFilter;
    uvlog::RowSources sources;
    std::vector<uvlog::LogRow> rows;

    HWND window = nullptr;
    HWND list = nullptr;
    HWND filterEdit = nullptr;
    HWND historyBox = nullptr;
    HWND status = nullptr;
    win32::OwnedGdi<HFONT> headingFont;  // made at creation, deleted at destruction
};

extern ReaderState readerState;

bool registerReaderClass(HINSTANCE instance);

// Opens the reader's window on the log file `path` (the history is the
// yhist.dab beside it).
HWND createReaderWindow(HINSTANCE instance, const std::string& path, int showMode);

// Reads what the log and the history have gained since the last look, and
// reads them again when they have shrunk (the log was moved away) or another
// file has taken their place.
void followLogFiles();
