#include "app/single_instance_win32.h"

#include <cstdio>
#include <cstdlib>

#include "app/shell_texts.h"
#include "common/data_file_format.h"

namespace {

// The main window's property that names its working directory by key.
constexpr const char* folderKeyProperty = "UravikFolderKey";

// A key for the working directory's name that is the same however its
// letters were written: the long form of its full path, in capitals (the
// file system ignores case), hashed into 32 bits (FNV-1a) so that it fits
// both a mutex name and a window property whatever the path's length. Taken
// in wide characters: in the ANSI code page two folders whose names it
// cannot spell would both read as "??".
unsigned long workingDirectoryKey()
{
    wchar_t path[MAX_PATH] = L"";
    wchar_t longPath[MAX_PATH] = L"";
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    const DWORD longLength = GetLongPathNameW(path, longPath, MAX_PATH);
    const wchar_t* folder = longLength > 0 && longLength < MAX_PATH ? longPath : path;
    wchar_t upper[MAX_PATH];
    lstrcpynW(upper, folder, MAX_PATH);
    CharUpperW(upper);
    unsigned long hash = 2166136261u;
    for (const wchar_t* c = upper; *c; ++c) {
        const unsigned unit = *c == L'/' ? L'\\' : *c;
        for (unsigned byte : {unit & 0xFFu, unit >> 8}) {
            hash ^= byte;
            hash = (hash * 16777619u) & 0xFFFFFFFFu;
        }
    }
    return hash;
}

// The lock file in the working directory, opened for writing with no one
// else allowed to write: a second open, through any name of the folder
// (another drive letter, a link), is refused. The system closes it, and
// deletes it, when the process ends however it ends.
HANDLE lockWorkingDirectory(bool& heldByAnother)
{
    HANDLE lock = CreateFileA(data_file_format::instanceLockFileName, GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    heldByAnother = lock == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    return lock == INVALID_HANDLE_VALUE ? nullptr : lock;
}

// The main window the other Uravik wrote into its lock file; null when
// there is none (yet).
HWND windowNamedInLockFile()
{
    HANDLE lock = CreateFileA(data_file_format::instanceLockFileName, GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (lock == INVALID_HANDLE_VALUE)
        return nullptr;
    char text[24] = "";
    DWORD read = 0;
    ReadFile(lock, text, sizeof text - 1, &read, nullptr);
    CloseHandle(lock);
    text[read] = '\0';
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(text, nullptr, 10)));
    char className[16] = "";
    if (!IsWindow(window) || !GetClassNameA(window, className, sizeof className) ||
        lstrcmpA(className, shell_texts::className) != 0)
        return nullptr;
    return window;
}

HWND windowMarkedWithKey(unsigned long key)
{
    for (HWND w = FindWindowExA(nullptr, nullptr, shell_texts::className, nullptr); w;
         w = FindWindowExA(nullptr, w, shell_texts::className, nullptr)) {
        if (reinterpret_cast<ULONG_PTR>(GetPropA(w, folderKeyProperty)) == key)
            return w;
    }
    return nullptr;
}

}  // namespace

WorkingDirectoryClaim::WorkingDirectoryClaim() : key_(workingDirectoryKey())
{
    char name[40];
    std::snprintf(name, sizeof name, "Uravik-%08lx", key_);
    mutex_ = CreateMutexA(nullptr, FALSE, name);
    // Without a mutex (no key, no kernel object) the name tells nothing.
    const bool nameTaken = key_ != 0 && mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    // A folder that cannot hold the lock file (read-only) is told by name alone.
    bool lockedByAnother = false;
    lock_ = lockWorkingDirectory(lockedByAnother);
    claimed_ = !nameTaken && !lockedByAnother;
}

WorkingDirectoryClaim::~WorkingDirectoryClaim()
{
    if (lock_)
        CloseHandle(lock_);
    if (mutex_)
        CloseHandle(mutex_);
}

void WorkingDirectoryClaim::markWindow(HWND window) const
{
    SetPropA(window, folderKeyProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(key_)));
    if (!lock_)
        return;
    char text[24];
    const int length =
        std::snprintf(text, sizeof text, "%llu",
                      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
    // A file left by a crash may hold a longer number: it is cut after ours.
    DWORD written = 0;
    WriteFile(lock_, text, static_cast<DWORD>(length), &written, nullptr);
    SetEndOfFile(lock_);
}

void WorkingDirectoryClaim::bringOtherForward() const
{
    // The other one may still be starting: give its window a moment to come.
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND w = windowNamedInLockFile();
        if (!w)
            w = windowMarkedWithKey(key_);
        if (w) {
            if (IsIconic(w))
                ShowWindow(w, SW_RESTORE);
            SetForegroundWindow(w);
            return;
        }
        Sleep(50);
    }
}
