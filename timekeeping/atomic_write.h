#pragma once
// Whole-file rewrites that never leave a half-written file behind: the new
// content goes to a temporary file beside the target, is flushed to the disk
// and then takes the target's place in one step.

#include <cstdio>
#include <functional>

// `write` fills the temporary file (opened with `mode`) and says whether every
// write succeeded. On any failure, of the open, a write, the flush, the close
// or the replace, `target` keeps its earlier content, the temporary file is
// removed and the result is false.
bool writeFileAtomically(const char* target, const char* tempName, const char* mode,
                         const std::function<bool(std::FILE*)>& write);

// Removes temporary files that a crash in the middle of a rewrite left.
void removeLeftoverTempFiles();
