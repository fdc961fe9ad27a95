#pragma once
// Helpers for the Win32 and end-to-end tests: a folder of their own under
// the temporary folder, closing a window, and the texts of windows and
// controls.

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace companion_test {

// A fresh, empty folder under the temporary folder, removed with every file
// in it when it goes.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        char name[MAX_PATH] = "";
        GetTempFileNameA(std::filesystem::temp_directory_path().string().c_str(), "uvc", 0, name);
        DeleteFileA(name);  // GetTempFileNameA made a file; a folder is wanted
        CreateDirectoryA(name, nullptr);
        path_ = name;
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes, bool append = false) const
    {
        std::ofstream(path_ + "\\" + name,
                      std::ios::binary | (append ? std::ios::app : std::ios::trunc))
            << bytes;
    }

private:
    std::string path_;
};

// A temporary folder that is the working directory while it exists.
class TemporaryWorkingDirectory : public TemporaryFolder {
public:
    TemporaryWorkingDirectory() { std::filesystem::current_path(path()); }
    ~TemporaryWorkingDirectory()
    {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
    }

private:
    const std::filesystem::path previous_ = std::filesystem::current_path();
};

// Closes a companion window and handles what it leaves queued, throwing
// away the quit message it posts.
inline void closeWindow(HWND window)
{
    DestroyWindow(window);  // fails harmlessly when it is gone already
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
}

// A file's whole content ("" when it cannot be read).
inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string windowTitle(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string controlText(HWND parent, int id)
{
    char text[512] = "";
    GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}

// The texts of a column of a list view, top row first. Right-set cells end
// in a blank that keeps their last glyph clear of the list view's clipping;
// the texts are given without it.
inline std::vector<std::string> listColumn(HWND list, int column)
{
    std::vector<std::string> cells(ListView_GetItemCount(list));
    for (std::size_t row = 0; row < cells.size(); ++row) {
        char text[512] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        cells[row] = text;
        if (!cells[row].empty() && cells[row].back() == ' ')
            cells[row].pop_back();
    }
    return cells;
}

}  // namespace companion_test
