// Measures the time from starting uravik.exe to its first painted window:
// the moment the left group's frame corner shows black on the screen.
// usage: first_paint.exe PATH\uravik.exe [runs]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "companions/testing/win32_test_support.h"
#include "tests/e2e/e2e_process.h"

namespace {

// Client position of the outer top-left corner of the left group's frame,
// drawn in black by the first paint.
constexpr POINT frameCorner = {14, 20};

bool framePainted(HWND window)
{
    if (!IsWindowVisible(window))
        return false;
    POINT p = frameCorner;
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour == RGB(0, 0, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_paint.exe PATH\\uravik.exe [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const companion_test::TemporaryFolder dir;
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        UravikProcess uravik(argv[1], dir.path());
        HWND window = uravik.waitForMainWindow(framePainted, 10000);
        QueryPerformanceCounter(&now);
        if (!window) {
            std::fprintf(stderr, "run %d: no painted window within 10 s\n", run + 1);
            return 1;
        }
        // Start-up in an empty folder reports the missing files: answer them.
        for (int i = 0; i < 20 && !uravik.answerBoxes().empty(); ++i)
            Sleep(100);
        times.push_back(1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart);
        uravik.closeAndWait(window);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "first painted window: median %.0f ms, fastest %.0f ms, slowest %.0f ms (%d runs)\n",
        times[times.size() / 2], times.front(), times.back(), runs);
    return 0;
}
