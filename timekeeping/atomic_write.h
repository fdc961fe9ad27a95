#pragma once
// Whole-file rewrites that never leave a half-written file behind: the new
// content goes to a temporary file beside the target, is flushed to the disk
// and then takes the target's place in one step.

#include <cstdio>
#include <functional>

// How a rewrite ended: what failed tells the user different things (a full
// disk fails the content; a read-only or missing place fails the open or the
// replace).
enum class AtomicWrite { written, notOpened, contentNotWritten, notReplaced };

// `write` fills the temporary file (opened with `mode`) and says whether every
// write succeeded. On any failure, of the open, a write, the flush, the close
// or the replace, `target` keeps its earlier content and the temporary file is
// removed.
AtomicWrite writeFileAtomically(const char* target, const char* tempName, const char* mode,
                                const std::function<bool(std::FILE*)>& write);

// Removes temporary files that a crash in the middle of a rewrite left.
void removeLeftoverTempFiles();
