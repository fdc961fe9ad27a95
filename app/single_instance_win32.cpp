#include "app/single_instance_win32.h"

#include <cstdio>

#include "app/shell_texts.h"

namespace {

// The main window's property that names its working directory by key.
constexpr const char* folderKeyProperty = "UravikFolderKey";

// A key for the working directory that is the same however the folder was
// named: the long form of its full path, in capitals (the file system
// ignores case), hashed into 32 bits (FNV-1a) so that it fits both a mutex
// name and a window property whatever the path's length.
unsigned long workingDirectoryKey()
{
    char path[MAX_PATH] = "";
    char longPath[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof path, path);
    if (length == 0 || length >= sizeof path)
        return 0;
    const DWORD longLength = GetLongPathNameA(path, longPath, sizeof longPath);
    const char* folder = longLength > 0 && longLength < sizeof longPath ? longPath : path;
    char upper[MAX_PATH];
    lstrcpynA(upper, folder, sizeof upper);
    CharUpperA(upper);
    unsigned long hash = 2166136261u;
    for (const char* c = upper; *c; ++c) {
        hash ^= static_cast<unsigned char>(*c == '/' ? '\\' : *c);
        hash = (hash * 16777619u) & 0xFFFFFFFFu;
    }
    return hash;
}

}  // namespace

WorkingDirectoryClaim::WorkingDirectoryClaim() : key_(workingDirectoryKey())
{
    char name[40];
    std::snprintf(name, sizeof name, "Uravik-%08lx", key_);
    mutex_ = CreateMutexA(nullptr, FALSE, name);
    // Without a mutex (no key, no kernel object) nothing can be told: run.
    claimed_ = key_ == 0 || mutex_ == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

WorkingDirectoryClaim::~WorkingDirectoryClaim()
{
    if (mutex_)
        CloseHandle(mutex_);
}

void WorkingDirectoryClaim::markWindow(HWND window) const
{
    SetPropA(window, folderKeyProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(key_)));
}

void WorkingDirectoryClaim::bringOtherForward() const
{
    // The other one may still be starting: give its window a moment to come.
    for (int attempt = 0; attempt < 20; ++attempt) {
        for (HWND w = FindWindowExA(nullptr, nullptr, shell_texts::className, nullptr); w;
             w = FindWindowExA(nullptr, w, shell_texts::className, nullptr)) {
            if (reinterpret_cast<ULONG_PTR>(GetPropA(w, folderKeyProperty)) != key_)
                continue;
            if (IsIconic(w))
                ShowWindow(w, SW_RESTORE);
            SetForegroundWindow(w);
            return;
        }
        Sleep(50);
    }
}
