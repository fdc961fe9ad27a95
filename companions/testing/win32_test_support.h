#pragma once
// Helpers for the companions' Win32 tests: a working directory of their own
// with data files in it, closing a window, and the texts of controls.

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>

namespace companion_test {

// Makes a fresh directory under the temporary folder the working directory,
// and goes back and removes it, with every file in it, afterwards.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory()
    {
        char text[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof text, text);
        previous_ = text;
        GetTempPathA(sizeof text, text);
        char name[MAX_PATH] = "";
        GetTempFileNameA(text, "uvc", 0, name);
        DeleteFileA(name);  // GetTempFileNameA made a file; a directory is wanted
        path_ = name;
        CreateDirectoryA(name, nullptr);
        SetCurrentDirectoryA(name);
    }
    ~TemporaryWorkingDirectory()
    {
        SetCurrentDirectoryA(previous_.c_str());
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            DeleteFileA((path_ + "\\" + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        RemoveDirectoryA(path_.c_str());
    }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

    void write(const std::string& name, const std::string& bytes, bool append = false)
    {
        std::ofstream(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
    }
    const std::string& path() const { return path_; }

private:
    std::string previous_;
    std::string path_;
};

// Closes a companion window and handles what it leaves queued, throwing
// away the quit message it posts.
inline void closeWindow(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
    }
}

inline std::string controlText(HWND parent, int id)
{
    char text[512] = "";
    GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}

// Right-set cells end in a blank that keeps their last glyph clear of the
// list view's clipping; the text is given without it.
inline std::string listCellText(HWND list, int row, int column)
{
    char text[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    std::string cell = text;
    if (!cell.empty() && cell.back() == ' ')
        cell.pop_back();
    return cell;
}

inline int listCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace companion_test
