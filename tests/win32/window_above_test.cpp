// The window lying above the main window, as the tick sees it.

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>

#include "host/host.h"

namespace {

host::WindowHandle handleOf(HWND w)
{
    return reinterpret_cast<host::WindowHandle>(w);
}

// Puts the windows in this order from the top down, directly one under the other.
void stack(std::initializer_list<HWND> topDown)
{
    HWND above = HWND_TOP;
    for (HWND w : topDown) {
        SetWindowPos(w, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = w;
    }
}

TEST(WindowAbove, SkipsHiddenWindowsFollowsTheZOrderAndTellsTheTitle)
{
    HWND made[3];
    const char* titles[] = {"main", "hidden helper", "Visible Peer"};
    for (int i = 0; i < 3; ++i)
        made[i] = CreateWindowExA(0, "STATIC", titles[i], WS_OVERLAPPEDWINDOW, 100, 100, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    const HWND mainWindow = made[0], hidden = made[1], visible = made[2];
    ShowWindow(mainWindow, SW_SHOWNOACTIVATE);
    ShowWindow(visible, SW_SHOWNOACTIVATE);
    stack({visible, hidden, mainWindow});
    ASSERT_EQ(GetWindow(mainWindow, GW_HWNDPREV), hidden) << "the arrangement under test";
    EXPECT_EQ(host::visibleWindowAbove(handleOf(mainWindow)), handleOf(visible));
    char title[100] = "stale";
    EXPECT_EQ(host::windowTitle(handleOf(visible), title, sizeof title), 12);
    EXPECT_STREQ(title, "Visible Peer");

    stack({mainWindow, visible, hidden});
    const host::WindowHandle above = host::visibleWindowAbove(handleOf(mainWindow));
    // Only an always-on-top window of the desktop itself may still lie above.
    if (above != 0)
        EXPECT_TRUE(GetWindowLongPtrA(reinterpret_cast<HWND>(above), GWL_EXSTYLE) & WS_EX_TOPMOST);

    ShowWindow(hidden, SW_SHOWNOACTIVATE);
    stack({hidden, mainWindow});
    EXPECT_EQ(host::visibleWindowAbove(handleOf(mainWindow)), handleOf(hidden));

    EXPECT_EQ(host::windowTitle(0, title, sizeof title), 0);
    EXPECT_STREQ(title, "") << "no window gives an empty title";
    for (HWND w : made)
        DestroyWindow(w);
}

}  // namespace
