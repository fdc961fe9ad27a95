#include "app/window_title.h"

#include "app/shell_texts.h"
#include "common/shared_state.h"
#include "display/value_texts.h"
#include "host/host.h"

std::string runTimeTitle(bool online)
{
    return std::string(online ? shell_texts::internetTitlePrefix : shell_texts::runTitlePrefix) +
           shownRunText();
}

void refreshTitle()
{
    if (shared.compactView == 0 && shared.modemOnline == 0)
        host::setWindowTitle(shared.mainWindow, runTimeTitle(false).c_str());
}

void titleAfterPaint()
{
    if (shared.modemOnline == 1 && shared.editMode == 0)
        host::setWindowTitle(shared.mainWindow, runTimeTitle(true).c_str());
}

void announceLogMove()
{
    host::setWindowTitle(shared.mainWindow, shell_texts::movingLogTitle);
}
