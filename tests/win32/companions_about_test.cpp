// The about box under Wine: the version from the resource, the working
// directory and the sizes of its data files; OK and Escape close it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "companions/about/about_window_win32.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/window_basics_win32.h"

namespace {

using companion_test::controlText;

TEST(About, ItShowsTheVersionTheFolderAndTheFileSizesAndOkAndEscapeClose)
{
    companion::initCommonControls();
    ASSERT_TRUE(registerAboutClass(GetModuleHandleA(nullptr)));
    companion_test::TemporaryWorkingDirectory directory;
    directory.write("ysave.dab", std::string(131, 'x'));
    directory.write("ytime.dab", std::string(1234567, 'x'));
    for (const WPARAM button : {IDOK, IDCANCEL}) {
        aboutState = AboutState{};
        const HWND window = createAboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(controlText(window, aboutVersionText), "Version " URAVIK_VERSION);
        EXPECT_EQ(controlText(window, aboutFolderText), directory.path());
        EXPECT_EQ(controlText(window, aboutFileFirst + 0), "131 byte");
        EXPECT_EQ(controlText(window, aboutFileFirst + 1), "1 234 567 byte");
        EXPECT_EQ(controlText(window, aboutFileFirst + 2), "saknas");
        if (button == IDOK) {
            SendMessageA(window, WM_COMMAND, button, 0);
        } else {
            // Escape reaches the box as a dialog key of the message loop.
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
            PostQuitMessage(0);
            win32::runMessageLoop(window);
        }
        EXPECT_FALSE(IsWindow(window)) << button;
        companion_test::closeWindow(window);
    }
    UnregisterClassA("UravikOm", GetModuleHandleA(nullptr));
}

}  // namespace
