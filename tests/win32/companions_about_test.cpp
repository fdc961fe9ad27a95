// The about box under Wine: the version from the resource, the working
// directory and the sizes of its data files.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "companions/about/about_window_win32.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"

namespace {

using companion_test::controlText;

class About : public ::testing::Test {
protected:
    void SetUp() override
    {
        companion::initCommonControls();
        aboutState = AboutState{};
        ASSERT_TRUE(registerAboutClass(GetModuleHandleA(nullptr)));
    }
    void TearDown() override
    {
        companion_test::closeWindow(window);
        UnregisterClassA("UravikOm", GetModuleHandleA(nullptr));
    }
    companion_test::TemporaryWorkingDirectory directory;
    HWND window = nullptr;
};

TEST_F(About, ItShowsTheVersionTheFolderAndTheFileSizes)
{
    directory.write("ysave.dab", std::string(131, 'x'));
    directory.write("ytime.dab", std::string(1234567, 'x'));
    window = createAboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(controlText(window, aboutVersionText), "Version " URAVIK_VERSION);
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    EXPECT_EQ(controlText(window, aboutFolderText), folder);
    EXPECT_EQ(controlText(window, aboutFileFirst + 0), "131 byte");
    EXPECT_EQ(controlText(window, aboutFileFirst + 1), "1 234 567 byte");
    EXPECT_EQ(controlText(window, aboutFileFirst + 2), "saknas");
}

TEST_F(About, OkAndEscapeClose)
{
    window = createAboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    SendMessageA(window, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(window));
    window = createAboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
