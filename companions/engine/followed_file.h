#pragma once
// A log file as the reader follows it: read once, then what it gains, and
// read again when it shrinks, goes or is replaced by another file of any
// size. A file larger than the most the reader holds is read from the first
// line end within its last `maxBytes`.

#include <cstdint>
#include <string>

#include "companions/engine/log_parser.h"

namespace uvlog {

struct FollowedFile {
    std::string path;
    ParsedLog log;            // the file's bytes from `start` to `end`
    std::uint64_t start = 0;  // above 0: the file's beginning is not shown
    std::uint64_t end = 0;
    std::uint64_t fileSize = 0;
    bool found = false;

    // Forgets what was read, keeping the path.
    void forget();
};

// Brings the file up to date; true when its parsed log changed.
bool followFile(FollowedFile& file, std::uint64_t maxBytes);

}  // namespace uvlog
