#pragma once
// Records the file calls that the persistence code makes and fails a chosen
// one, as a full disk, a locked file or a failing device would. The test
// executable is linked with GNU ld's --wrap for the C library's stream calls
// (see tests/unit/CMakeLists.txt), so the product code runs unchanged; the
// seam's file calls (flush to disk, replace, size lookup) fail through the
// fake host.
//
// A failed call returns its failure value and sets errno, and leaves what the
// real call leaves when the device fails: nothing opened, read or written, a
// failed flush or close drops the buffered output, and the stream's error
// indicator is set (ferror is wrapped to say so).

#include <string>
#include <vector>

namespace file_call_faults {

// A call's name ("fopen", "fputs", ..., "replaceFile"), the file it
// concerns, and the mode its stream was opened with ("" for calls by name).
struct FileCall {
    std::string name, file, mode;
};

// Starts recording; the failAt-th call (from 1) fails, none when failAt is 0.
// Calls on streams opened before, such as stdout, pass unrecorded.
void arm(int failAt);

// Stops recording and returns the calls made since arm(), in order.
std::vector<FileCall> disarm();

// Every open of `file` fails, as while another program holds it exclusively,
// until hold(""); such opens are not recorded.
void hold(const std::string& file);

}  // namespace file_call_faults
