#pragma once
// One Uravik per working directory: two in one folder would write the same
// files, with the same start-up number, over each other. The folder is told
// by name and, whatever name it was reached by, by a lock file in it.

#include <windows.h>

class WorkingDirectoryClaim {
public:
    // Claims the working directory for this process; held until destruction
    // (or the end of the process).
    WorkingDirectoryClaim();
    ~WorkingDirectoryClaim();
    WorkingDirectoryClaim(const WorkingDirectoryClaim&) = delete;
    WorkingDirectoryClaim& operator=(const WorkingDirectoryClaim&) = delete;

    // False when another Uravik already works in this directory.
    bool claimed() const { return claimed_; }

    // Marks the main window as the one working in this directory.
    void markWindow(HWND window) const;

    // Brings the other Uravik's window to the front, restored if it was
    // minimised.
    void bringOtherForward() const;

private:
    unsigned long key_ = 0;
    HANDLE mutex_ = nullptr;
    HANDLE lock_ = nullptr;
    bool claimed_ = true;
};
