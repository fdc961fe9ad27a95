#include "companions/about/about_window_win32.h"

#include <vector>

#include "common/data_file_format.h"
#include "companions/companion_texts.h"
#include "companions/engine/log_format.h"
#include "companions/win32/companion_app_win32.h"

AboutState aboutState;

namespace {

namespace texts = companion_texts;

constexpr int clientWidth = 440;
constexpr int clientHeight = 270;
constexpr int textLeft = 76;

constexpr const char* dataFiles[aboutFileCount] = {
    data_file_format::stateFileName,
    data_file_format::logFileName,
    data_file_format::historyFileName,
};

std::string workingDirectory()
{
    char path[MAX_PATH * 2] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof path, path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

void createControls(HWND window)
{
    AboutState& a = aboutState;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND icon = companion::createChild(window, "STATIC", "", SS_ICON, 20, 18, 32, 32, -1);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(instance, texts::iconName)),
                 0);

    HWND name = companion::createChild(window, "STATIC", texts::productName, SS_LEFT, textLeft, 14,
                                       300, 26, -1);
    SendMessageA(name, WM_SETFONT, reinterpret_cast<WPARAM>(a.titleFont.get()), FALSE);
    const std::string version = texts::aboutVersionLabel + moduleVersionText();
    companion::createChild(window, "STATIC", version.c_str(), SS_LEFT, textLeft, 42, 300, 18,
                           aboutVersionText);
    companion::createChild(window, "STATIC", texts::aboutDescription, SS_LEFT, textLeft, 62, 350,
                           18, -1);

    companion::createChild(window, "STATIC", texts::aboutFolderLabel, SS_LEFT, textLeft, 94, 300,
                           18, -1);
    companion::createChild(window, "STATIC", workingDirectory().c_str(),
                           SS_LEFT | SS_PATHELLIPSIS | SS_NOPREFIX, textLeft + 12, 112,
                           clientWidth - textLeft - 24, 18, aboutFolderText);

    companion::createChild(window, "STATIC", texts::aboutFilesLabel, SS_LEFT, textLeft, 140, 300,
                           18, -1);
    for (int i = 0; i < aboutFileCount; ++i) {
        const int y = 158 + i * 18;
        companion::createChild(window, "STATIC", dataFiles[i], SS_LEFT | SS_NOPREFIX, textLeft + 12,
                               y, 100, 18, -1);
        companion::createChild(window, "STATIC", fileSizeText(dataFiles[i]).c_str(), SS_RIGHT,
                               textLeft + 112, y, 140, 18, aboutFileFirst + i);
    }
    companion::createChild(window, "BUTTON", texts::aboutOkButton, WS_TABSTOP | BS_DEFPUSHBUTTON,
                           clientWidth - 96, clientHeight - 36, 84, 26, IDOK);
}

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    AboutState& a = aboutState;
    switch (message) {
        case WM_CREATE: {
            a.window = window;
            LOGFONTA font = {};
            GetObjectA(companion::dialogFont(), sizeof font, &font);
            font.lfHeight = -20;
            font.lfWeight = FW_BOLD;
            a.titleFont = win32::OwnedGdi<HFONT>(CreateFontIndirectA(&font));
            createControls(window);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            a.titleFont = {};
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerAboutClass(HINSTANCE instance)
{
    return companion::registerWindowClass(instance, texts::aboutClass, aboutWindowProc);
}

HWND createAboutWindow(HINSTANCE instance, int showMode)
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const SIZE size = companion::windowSizeForClient(style, 0, clientWidth, clientHeight);
    HWND window =
        CreateWindowExA(0, texts::aboutClass, texts::aboutTitle, style, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, showMode);
    // Enter and Escape close the box, as in a dialog.
    SetFocus(GetDlgItem(window, IDOK));
    UpdateWindow(window);
    return window;
}

std::string moduleVersionText()
{
    char path[MAX_PATH * 2] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return std::string();
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data()))
        return std::string();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) ||
        info == nullptr || infoSize < sizeof *info)
        return std::string();
    std::string text = std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
                       std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
                       std::to_string(HIWORD(info->dwFileVersionLS));
    if (LOWORD(info->dwFileVersionLS) != 0)
        text += "." + std::to_string(LOWORD(info->dwFileVersionLS));
    return text;
}

std::string fileSizeText(const char* name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return texts::aboutMissing;
    const std::uint64_t size =
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return uvlog::groupedNumber(size) + texts::aboutBytes;
}
