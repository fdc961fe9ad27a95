// uvstat.lib: the statistics program, an executable despite its name, started
// by the main window's "Statistik" button. It reads the working directory.
//   uvstat.lib [title|app|category|day|hour|run [all|today|week|month]]
// opens it on a view and a period (the main window passes neither).

#include <windows.h>

#include <cstring>

#include "companions/engine/log_table.h"
#include "companions/stat/stat_window_win32.h"
#include "companions/win32/companion_app_win32.h"
#include "win32/window_basics_win32.h"

namespace {

// The position of `word` among `names`, or `fallback`.
int choiceOf(int index, const char* const* names, int count, int fallback)
{
    if (__argc <= index)
        return fallback;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(__argv[index], names[i]) == 0)
            return i;
    }
    return fallback;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    companion::initCommonControls();
    if (!registerStatClass(instance))
        return 1;
    static const char* const ranges[] = {"all", "today", "week", "month"};
    if (__argc > 1)
        uvlog::groupingOfOption(__argv[1], &statState.grouping);
    statState.rangeChoice = static_cast<StatRange>(choiceOf(2, ranges, 4, 0));
    HWND window = createStatWindow(instance, showMode);
    if (window == nullptr)
        return 1;
    return win32::runMessageLoop(window);
}
