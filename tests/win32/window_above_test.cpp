// The window lying above the main window, as the tick sees it.

#include <gtest/gtest.h>
#include <windows.h>

#include "host/host.h"

namespace {

HWND makeWindow(const char* title, bool visible)
{
    HWND w =
        CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 100,
                        100, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return w;
}

host::WindowHandle handleOf(HWND w)
{
    return reinterpret_cast<host::WindowHandle>(w);
}

class WindowAbove : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainWindow = makeWindow("main", true);
        hidden = makeWindow("hidden helper", false);
        visible = makeWindow("Visible Peer", true);
        // Top to bottom: visible, hidden, main.
        SetWindowPos(visible, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(hidden, visible, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(mainWindow, hidden, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    void TearDown() override
    {
        DestroyWindow(visible);
        DestroyWindow(hidden);
        DestroyWindow(mainWindow);
    }
    HWND mainWindow = nullptr;
    HWND hidden = nullptr;
    HWND visible = nullptr;
};

TEST_F(WindowAbove, SkipsAHiddenWindowLyingInBetween)
{
    ASSERT_EQ(GetWindow(mainWindow, GW_HWNDPREV), hidden) << "the arrangement under test";
    EXPECT_EQ(host::visibleWindowAbove(handleOf(mainWindow)), handleOf(visible));

    char title[100];
    EXPECT_EQ(host::windowTitle(handleOf(visible), title, sizeof title), 12);
    EXPECT_STREQ(title, "Visible Peer");
}

TEST_F(WindowAbove, FollowsTheZOrderAndIsNullWithNothingAbove)
{
    SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const host::WindowHandle above = host::visibleWindowAbove(handleOf(mainWindow));
    EXPECT_NE(above, handleOf(visible));
    EXPECT_NE(above, handleOf(hidden));
    // Only an always-on-top window of the desktop itself may still lie above.
    if (above != 0) {
        EXPECT_TRUE(GetWindowLongPtrA(reinterpret_cast<HWND>(above), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }

    ShowWindow(hidden, SW_SHOWNOACTIVATE);
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(mainWindow, hidden, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(host::visibleWindowAbove(handleOf(mainWindow)), handleOf(hidden));
}

TEST(WindowTitle, NoWindowGivesAnEmptyTitle)
{
    char title[100] = "stale";
    EXPECT_EQ(host::windowTitle(0, title, sizeof title), 0);
    EXPECT_STREQ(title, "");
}

}  // namespace
