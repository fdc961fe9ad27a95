#pragma once
// Helpers for the companions' Win32 tests: a working directory of their own
// with data files in it, and the message pump.

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>
#include <vector>

namespace companion_test {

// Makes a fresh directory under the temporary folder the working directory,
// and goes back and removes it (and the files written in it) afterwards.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory()
    {
        char previous[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof previous, previous);
        previous_ = previous;
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        char name[MAX_PATH] = "";
        GetTempFileNameA(temp, "uvc", 0, name);
        DeleteFileA(name);  // GetTempFileNameA made a file; a directory is wanted
        path_ = name;
        CreateDirectoryA(path_.c_str(), nullptr);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~TemporaryWorkingDirectory()
    {
        SetCurrentDirectoryA(previous_.c_str());
        for (const std::string& file : files_)
            DeleteFileA((path_ + "\\" + file).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

    void write(const std::string& name, const std::string& bytes, bool append = false)
    {
        std::ofstream file(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        remember(name);
    }
    void remember(const std::string& name)
    {
        for (const std::string& file : files_) {
            if (file == name)
                return;
        }
        files_.push_back(name);
    }
    const std::string& path() const { return path_; }

private:
    std::string previous_;
    std::string path_;
    std::vector<std::string> files_;
};

// Dispatches whatever is queued without waiting.
inline void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Closes a companion window and throws away the quit message it posts.
inline void closeWindow(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    pumpMessages();
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

inline std::string controlText(HWND parent, int id)
{
    char text[512] = "";
    GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}

inline std::string listCellText(HWND list, int row, int column)
{
    char text[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    // Right-set cells end in a blank that keeps their last glyph clear of
    // the list view's clipping; the text is compared without it.
    LVCOLUMNA format = {};
    format.mask = LVCF_FMT;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&format));
    std::string cell = text;
    if ((format.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT && !cell.empty() && cell.back() == ' ')
        cell.pop_back();
    return cell;
}

inline int listCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace companion_test
