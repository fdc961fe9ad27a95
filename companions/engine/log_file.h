#pragma once
// Reading the log files with the standard library, as they grow.

#include <cstdint>
#include <string>

namespace uvlog {

// Size in bytes of the file; false when it cannot be opened.
bool fileSize(const std::string& path, std::uint64_t* size);

// Appends the bytes of the file from `offset` to its end to `out`; false when
// it cannot be opened. The file may be growing: what is there now is read.
bool readFileFrom(const std::string& path, std::uint64_t offset, std::string& out);

}  // namespace uvlog
