// Lockstep replay: the real window procedure driven through one script of
// ticks, paints, exposures, commands and keys, with a scripted clock and
// ports, once with the refresh economies off and once with them on. The
// client area and the title must be the same after every step.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/port_watch.h"
#include "app/shell_state.h"
#include "display/draw_primitives_win32.h"
#include "display/fonts_win32.h"
#include "display/layout.h"
#include "display/refresh_cache.h"
#include "tests/fresh_program_state.h"
#include "tests/win32/bitmap_file.h"
#include "tests/win32/scripted_host_win32.h"
#include "timekeeping/clock.h"

namespace {

// The title, the client area's size and a hash of its pixels.
std::string shownIn(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC windowDc = GetDC(window);
    const Image shown = imageOf(windowDc, client);
    ReleaseDC(window, windowDc);
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (COLORREF pixel : shown.pixels)
        hash = (hash ^ pixel) * 1099511628211ull;
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return std::string(title) + ", " + std::to_string(client.right) + "x" +
           std::to_string(client.bottom) + " pixels " + std::to_string(hash);
}

class Replay {
public:
    explicit Replay(bool economical)
    {
        resetProgramState();
        refreshCache.enabled = economical;
        cullHiddenDrawing = economical;
        scriptedHost = ScriptedHost{};
        scriptedHost.tick = 5000000;
        scriptedHost.startOfDay = 23 * 3600 + 41 * 60;
        scriptedHost.calendarPhase = 400;  // the calendar's seconds turn between the run's
        clockState.savedHours = 312;
        clockState.savedMinutes = 5;
        clockState.savedSeconds = 48;
        HINSTANCE instance = GetModuleHandleA(nullptr);
        registerMainWindowClass(instance);
        window = createMainWindow(instance, SW_SHOWNORMAL);
        SetWindowPos(window, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        createButtons(instance);
        captureDateTime();
    }
    ~Replay()
    {
        DestroyWindow(cover);
        DestroyWindow(window);
        settle();
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        UnregisterClassA("Uravik", GetModuleHandleA(nullptr));
    }

    // One step of the script, then a paint unless the step leaves the
    // window waiting for one; `lateMs` passes before that paint.
    void step(const std::string& name, const std::function<void()>& action, bool paints = true,
              int lateMs = 0)
    {
        action();
        scriptedHost.tick += lateMs;
        if (paints)
            paint();
        settle();
        frames.push_back(name + ": " + shownIn(window));
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            scriptedHost.tick += 100;
            SendMessageA(window, WM_TIMER, 100, 0);
        }
    }
    void paint() { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
    // Refreshes, each painted at once, as an idle window has them.
    void refreshes(const std::string& name, int count)
    {
        for (int i = 0; i < count; ++i)
            step(name + " " + std::to_string(i), [&] { ticks(9); });
    }
    void expose(const std::string& name, RECT rect)
    {
        step("expose " + name, [&] {
            scriptedHost.tick += 1000;
            InvalidateRect(window, &rect, TRUE);
        });
        refreshes("after exposing " + name, 2);
    }
    void command(const std::string& name, Command id)
    {
        step(name, [&] { SendMessageA(window, WM_COMMAND, id, 0); });
    }
    void setPorts(bool open)
    {
        for (int port = 1; port <= 6; ++port)
            scriptedHost.portOpens[port] = open;
    }
    // Another program's window over part of the client area.
    void coverWith(RECT client)
    {
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!cover)
            cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "Static", "",
                                    WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        SetWindowPos(cover, HWND_TOPMOST, client.left, client.top, client.right - client.left,
                     client.bottom - client.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    HWND window = nullptr;
    HWND cover = nullptr;
    std::vector<std::string> frames;
    int knownWhenIdle = 0;

private:
    // Delivers what the system has queued, but no paint: a step paints
    // only when it says so.
    void settle()
    {
        MSG message;
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageA(&message, nullptr, 0, 0,
                                PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(5);
        }
    }
};

void runScript(Replay& r)
{
    HWND w = r.window;
    // A start-up message box lets a paint through before the fonts exist.
    r.step("paint before the fonts", [] {});
    r.refreshes("no fonts yet", 2);
    r.step("fonts made", [&] {
        createFonts();
        InvalidateRect(w, nullptr, TRUE);
        takePortInventory();
    });
    r.refreshes("idle", 12);
    r.knownWhenIdle =
        std::count(std::begin(refreshCache.known), std::end(refreshCache.known), true);

    using layout::runBox;
    r.expose("part of the run box", {runBox.x, runBox.y, runBox.x + 50, runBox.y + runBox.height});
    r.expose("across two right boxes", {450, 40, 560, 70});

    r.step(
        "clock near midnight",
        [&] {
            scriptedHost.startOfDay =
                24 * 3600 - 2 -
                static_cast<int>((scriptedHost.tick + scriptedHost.calendarPhase) / 1000);
        },
        false);
    r.refreshes("to midnight", 2);
    r.step(
        "refresh painted past midnight", [&] { r.ticks(9); }, true, 900);
    r.refreshes("after midnight", 2);

    // The first paint that sees the modem on line covers only part of the
    // boxes that changed with it.
    r.step("modem goes on line, seen by a partial exposure", [&] {
        r.setPorts(false);
        while (shared.modemOnline == 0) {
            r.paint();
            r.ticks(1);
        }
        const RECT part = {398, 40, 450, 100};
        InvalidateRect(w, &part, TRUE);
    });
    r.refreshes("on line", 4);
    r.expose("right time boxes on line", {420, 80, 520, 130});
    r.step(
        "modem goes off line", [&] { r.setPorts(true); }, false);
    r.refreshes("off line again", 3);

    r.command("edit mode on", cmdEditOn);
    r.refreshes("edit mode", 2);
    r.command("edit mode off", cmdEditOff);
    r.refreshes("live again", 2);

    r.step(
        "minimised", [&] { ShowWindow(w, SW_MINIMIZE); }, false);
    r.step("ticks while minimised", [&] { r.ticks(30); });
    r.step("restored", [&] { ShowWindow(w, SW_RESTORE); });
    r.refreshes("restored", 2);

    r.step(
        "covered on the right",
        [&] {
            r.coverWith({380, 50, 580, 130});
        },
        false);
    r.refreshes("covered on the right", 3);
    r.step("cover moved to the left", [&] { r.coverWith({100, 80, 300, 160}); });
    r.refreshes("covered on the left", 3);
    r.step("cover gone", [&] { DestroyWindow(std::exchange(r.cover, nullptr)); });
    r.refreshes("uncovered", 2);

    r.command("compact view", cmdCompactView);
    r.refreshes("compact view", 3);
    r.command("small view", cmdSmallView);
    r.refreshes("small view", 3);
    r.step("wide again", [&] {
        RECT rect;
        GetWindowRect(w, &rect);
        MoveWindow(w, rect.left, rect.top, layout::mainViewWidth,
                   GetSystemMetrics(SM_CYCAPTION) + layout::mainViewHeightBelowCaption, TRUE);
    });
    r.refreshes("wide again", 3);
}

TEST(RefreshReplay, EconomicalRefreshShowsTheSameAfterEveryStep)
{
    std::vector<std::string> plain;
    {
        Replay replay(false);
        runScript(replay);
        plain = replay.frames;
    }
    Replay replay(true);
    runScript(replay);
    EXPECT_GE(replay.knownWhenIdle, 12) << "an idle refresh leaves the unchanged boxes alone";

    EXPECT_THAT(replay.frames, ::testing::ElementsAreArray(plain));
}

}  // namespace
