// The main window, its buttons and the window procedure's messages, on a
// real window under Wine.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/single_instance_win32.h"
#include "common/data_file_format.h"
#include "common/shared_state.h"
#include "companions/testing/win32_test_support.h"
#include "display/layout.h"
#include "display/refresh_cache.h"
#include "host/host.h"
#include "tests/fresh_program_state.h"
#include "win32/gdi_scoped_win32.h"

namespace {

using companion_test::windowTitle;
using ::testing::ElementsAre;

const HINSTANCE thisInstance = GetModuleHandleA(nullptr);

// "x,y widthxheight" of a rectangle of the layout, and of a child in its
// parent's client coordinates.
std::string placeOf(const FieldRect& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}
std::string placeOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return placeOf(FieldRect{r.left, r.top, r.right - r.left, r.bottom - r.top});
}

const std::string mainViewSize = std::to_string(layout::mainViewWidth) + "x" +
                                 std::to_string(layout::mainViewHeightBelowCaption);

std::string sizeOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top - GetSystemMetrics(SM_CYCAPTION));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        ASSERT_TRUE(registerMainWindowClass(thisInstance));
        window = createMainWindow(thisInstance, SW_SHOWNORMAL);
        createButtons(thisInstance);
    }
    void TearDown() override
    {
        companion_test::closeWindow(window);
        UnregisterClassA("Uravik", thisInstance);
    }
    HWND window = nullptr;
};

TEST_F(MainWindow, FixedSizeStyleTitleEightButtonsInTheirPlacesAndOnlyTheirCommands)
{
    EXPECT_EQ(sizeOf(window), mainViewSize);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) &
                  (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(windowTitle(window), "Uravik");
    EXPECT_EQ(shared.mainWindow, reinterpret_cast<host::WindowHandle>(window));
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(LTGRAY_BRUSH)));
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u) << "the URAVIK icon resource is linked in";

    // Children are kept in creation order, the first created on top.
    std::vector<std::string> buttons;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool visiblePushButton = (GetWindowLongPtrA(child, GWL_STYLE) &
                                        (0x0F | WS_VISIBLE)) == (BS_PUSHBUTTON | WS_VISIBLE);
        buttons.push_back(std::to_string(GetDlgCtrlID(child)) + " " + windowTitle(child) + " " +
                          placeOf(child) + (visiblePushButton ? "" : " not a shown push button"));
    }
    using namespace layout;
    EXPECT_THAT(
        buttons,
        ElementsAre("6 Tidlista " + placeOf(timeListButton),
                    "5 Statistik " + placeOf(statisticsButton),
                    "7 Config " + placeOf(compactViewButton), "3 Manual " + placeOf(manualButton),
                    "4 Om " + placeOf(aboutButton), "8 Avbryt " + placeOf(noPlace),
                    "9 OK " + placeOf(noPlace), "10 Config " + placeOf(editButton)));

    // Commands outside 3 to 10 are ignored; a notification code in the high
    // half makes the whole value no command.
    for (WPARAM id : {WPARAM{0}, WPARAM{2}, WPARAM{11}, WPARAM{0x10007}, WPARAM{0x1000A}})
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, id, 0), 0) << id;
    EXPECT_EQ(sizeOf(window), mainViewSize);
    EXPECT_EQ(shared.editMode, 0);
    EXPECT_EQ(shared.compactView, 0);
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
        EXPECT_EQ(sizeOf(window), mainViewSize) << small;
        EXPECT_EQ(shared.compactView, 0);
        EXPECT_EQ(placeOf(GetDlgItem(window, cmdSmallView)), placeOf(layout::noPlace))
            << "\"Avbryt\" hidden";
    }
}

TEST(StartUp, FailedRegistrationReturnsZeroAndTouchesNoFile)
{
    companion_test::TemporaryWorkingDirectory directory;
    ASSERT_TRUE(registerMainWindowClass(thisInstance));  // taken: the next one fails
    resetProgramState();
    EXPECT_EQ(runUravik(thisInstance, SW_SHOWNORMAL), 0);
    EXPECT_EQ(shared.mainWindow, 0u) << "no window was made";
    EXPECT_TRUE(std::filesystem::is_empty(directory.path())) << "a data file appeared";
    UnregisterClassA("Uravik", thisInstance);
}

// A refresh hands the window its boxes as one region; a paint counts a box
// as shown only when it covered the box whole, or a box painted in part
// would keep its old pixels for good. A paint on line puts the run time in
// the title.
TEST_F(MainWindow, ARefreshInvalidatesItsBoxesAndAPaintKnowsOnlyWholeBoxesAndSetsTheTitle)
{
    UpdateWindow(window);
    refreshCache = RefreshCache{};  // no box known
    shared.modemOnline = 1;
    const FieldRect& a = layout::refreshedRects[0];
    const FieldRect& b = layout::refreshedRects[1];
    // The left half of the first box and the whole second.
    const host::Rect parts[] = {{a.x, a.y, a.x + a.width / 2, a.y + a.height},
                                {b.x, b.y, b.x + b.width, b.y + b.height}};
    host::invalidateRects(shared.mainWindow, parts, 2);
    const win32::OwnedGdi<HRGN> update(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetUpdateRgn(window, update.get(), FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(update.get(), a.x, a.y));
    EXPECT_FALSE(PtInRegion(update.get(), a.x + a.width - 1, a.y));

    UpdateWindow(window);
    EXPECT_FALSE(refreshCache.known[0]) << "painted in part";
    EXPECT_TRUE(refreshCache.known[1]) << "painted whole";
    EXPECT_EQ(windowTitle(window), "Internet nu 0:00:00");
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockFileIsClaimedByNameAlone)
{
    companion_test::TemporaryWorkingDirectory directory;
    CreateDirectoryA(data_file_format::instanceLockFileName, nullptr);  // no file can go there
    const WorkingDirectoryClaim first;
    const WorkingDirectoryClaim second;
    EXPECT_TRUE(first.claimed());
    EXPECT_FALSE(second.claimed());
}

}  // namespace
