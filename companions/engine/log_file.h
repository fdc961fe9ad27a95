#pragma once
// Reading the log files with the standard library, as they grow, in pieces:
// a log of any size is never read whole into memory.

#include <cstdint>
#include <string>

namespace uvlog {

class LogSummariser;

// Size in bytes of the file; false when it cannot be opened.
bool fileSize(const std::string& path, std::uint64_t* size);

// Appends to `out` the file's bytes from `offset`, at most `count` of them
// (to its end by default); false when it cannot be opened. The file may be
// growing: what is there now is read.
bool readFileFrom(const std::string& path, std::uint64_t offset, std::string& out,
                  std::uint64_t count = UINT64_MAX);

enum class FileReading { read, missing, folder, unreadable };

// What lies at `path` before it is read: `missing`, a `folder`, or `read`
// for anything that may be opened as a file.
FileReading whatLiesAt(const std::string& path);

// Feeds the whole log in `path` to the summariser, a piece at a time, and
// tells whether the file could be read to its end.
FileReading summariseFile(const std::string& path, LogSummariser& summariser);

}  // namespace uvlog
