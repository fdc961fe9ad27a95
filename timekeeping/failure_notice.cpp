#include "timekeeping/failure_notice.h"

void announceFailure(FailureNotice& notice, const char* text, const char* caption,
                     host::MessageIcon icon)
{
    if (notice.announced || notice.boxOpen)
        return;
    notice.announced = true;
    if (failureBoxesHeld)
        return;
    notice.boxOpen = true;
    host::messageBox(text, caption, icon);
    notice.boxOpen = false;
}

void clearFailure(FailureNotice& notice)
{
    notice.announced = false;
}
