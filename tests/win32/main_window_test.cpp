// The main window, its class and buttons, and the window procedure's
// messages, on a real window under Wine.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/port_watch.h"
#include "app/shell_state.h"
#include "app/window_proc_win32.h"
#include "tests/fresh_program_state.h"
#include "timekeeping/clock.h"

namespace {

HINSTANCE thisInstance()
{
    return GetModuleHandleA(nullptr);
}

std::string titleOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string classOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT clientRectOf(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Dispatches whatever is queued without waiting.
void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        ASSERT_TRUE(registerMainWindowClass(thisInstance()));
        window = createMainWindow(thisInstance(), SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
        createButtons(thisInstance());
    }
    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        pumpMessages();
        // Throw away the quit message that destroying the window posts.
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        UnregisterClassA("Uravik", thisInstance());
    }
    HWND window = nullptr;
};

TEST_F(MainWindow, ClassIsRegisteredAsDescribed)
{
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    ASSERT_TRUE(GetClassInfoExA(thisInstance(), "Uravik", &found));
    EXPECT_EQ(found.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(found.lpfnWndProc, mainWindowProc);
    EXPECT_EQ(found.cbClsExtra, 0);
    EXPECT_EQ(found.cbWndExtra, 0);
    EXPECT_EQ(found.hbrBackground, GetStockObject(LTGRAY_BRUSH));
    EXPECT_NE(found.hIcon, nullptr) << "the URAVIK icon resource is linked in";
    EXPECT_NE(found.hIconSm, nullptr);
    EXPECT_EQ(found.lpszMenuName, nullptr);
}

TEST_F(MainWindow, WindowHasItsFixedSizeStyleAndTitle)
{
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 650);
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYCAPTION) + 288);

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(titleOf(window), "Uravik");
    EXPECT_EQ(shared.mainWindow, reinterpret_cast<host::WindowHandle>(window));
}

TEST_F(MainWindow, EightButtonsWithTheirIdsCaptionsAndRectangles)
{
    struct Expected {
        int id;
        const char* caption;
        RECT rect;
    };
    const std::vector<Expected> buttons = {
        {6, "Tidlista", {87, 190, 187, 215}},
        {5, "Statistik", {25, 245, 94, 270}},
        {7, "Config", {94, 245, 154, 270}},
        {3, "Manual", {154, 245, 214, 270}},
        {4, "Om", {214, 245, 245, 270}},
        {8, "Avbryt", {0, 0, 0, 0}},
        {9, "OK", {0, 0, 0, 0}},
        {10, "Config", {558, 238, 608, 263}},
    };
    // Children are kept in creation order, the first created on top.
    HWND child = GetWindow(window, GW_CHILD);
    for (const Expected& b : buttons) {
        ASSERT_NE(child, nullptr) << b.caption;
        EXPECT_EQ(GetDlgCtrlID(child), b.id);
        EXPECT_EQ(titleOf(child), b.caption);
        EXPECT_STRCASEEQ(classOf(child).c_str(), "Button");
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        EXPECT_EQ(style & 0x0F, BS_PUSHBUTTON) << b.caption;
        EXPECT_TRUE(style & WS_VISIBLE) << b.caption;
        const RECT r = clientRectOf(child);
        EXPECT_EQ(r.left, b.rect.left) << b.caption;
        EXPECT_EQ(r.top, b.rect.top) << b.caption;
        EXPECT_EQ(r.right, b.rect.right) << b.caption;
        EXPECT_EQ(r.bottom, b.rect.bottom) << b.caption;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_GE(client.bottom, 270) << "the bottom row of buttons is wholly visible";
    EXPECT_GE(client.right, 608);
}

TEST_F(MainWindow, TitleShowsTheRunAfterTheFirstRefresh)
{
    captureDateTime();
    for (int tick = 1; tick <= 8; ++tick)
        SendMessageA(window, WM_TIMER, 100, 0);
    EXPECT_EQ(titleOf(window), "Uravik");
    SendMessageA(window, WM_TIMER, 100, 0);
    const std::string title = titleOf(window);
    EXPECT_EQ(title.rfind("Uravik 0:00:0", 0), 0u) << title;
    EXPECT_EQ(title.size(), 14u) << title;
}

TEST_F(MainWindow, SystemMenuLeadsBackToTheMainViewFromEitherNarrowView)
{
    char item[64] = "";
    GetMenuStringA(GetSystemMenu(window, FALSE), sysCmdMainView, item, sizeof item, MF_BYCOMMAND);
    EXPECT_STREQ(item, "Hela f\xF6nstret");

    for (bool small : {false, true}) {
        SendMessageA(window, WM_COMMAND, cmdCompactView, 0);
        if (small)
            SendMessageA(window, WM_COMMAND, cmdSmallView, 0);
        SendMessageA(window, WM_SYSCOMMAND, sysCmdMainView, 0);
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.right - rect.left, 650) << small;
        EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYCAPTION) + 288) << small;
        EXPECT_EQ(shared.compactView, 0);
        const RECT cancel = clientRectOf(GetDlgItem(window, cmdSmallView));
        EXPECT_EQ(cancel.right - cancel.left, 0) << "\"Avbryt\" is hidden again";
    }
    captureDateTime();
    for (int tick = 1; tick <= 9; ++tick)
        SendMessageA(window, WM_TIMER, 100, 0);
    EXPECT_EQ(titleOf(window).rfind("Uravik 0:", 0), 0u) << "the title follows the clock";
}

TEST_F(MainWindow, CommandsOutsideThreeToTenAreIgnored)
{
    // A notification code in the high half makes the whole value no command.
    for (WPARAM id : {WPARAM{0}, WPARAM{2}, WPARAM{11}, WPARAM{0x10007}, WPARAM{0x1000A}}) {
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, id, 0), 0) << id;
    }
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 650);
    EXPECT_EQ(shared.editMode, 0);
    EXPECT_EQ(shared.compactView, 0);
    EXPECT_EQ(titleOf(window), "Uravik");
}

TEST_F(MainWindow, DestroyEndsTheLoopWithExitCodeZero)
{
    DestroyWindow(window);
    MSG message;
    int got = -1;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0)
        DispatchMessageA(&message);
    EXPECT_EQ(got, 0);
    EXPECT_EQ(message.wParam, 0u);
}

TEST(StartUp, FailedRegistrationReturnsZeroAndTouchesNoFile)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "uravik-noreg";
    CreateDirectoryA(dir.c_str(), nullptr);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(dir.c_str());

    ASSERT_TRUE(registerMainWindowClass(thisInstance()));  // taken: the next one fails
    shell = ShellState{};
    shared = SharedState{};
    EXPECT_EQ(runUravik(thisInstance(), SW_SHOWNORMAL), 0);
    EXPECT_EQ(shared.mainWindow, 0u) << "no window was made";

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*.dab", &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no data file appeared";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(dir.c_str());
    UnregisterClassA("Uravik", thisInstance());
}

}  // namespace
