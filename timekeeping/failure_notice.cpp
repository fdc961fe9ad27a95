#include "timekeeping/failure_notice.h"

#include <cstdio>

#include "common/data_file_format.h"
#include "timekeeping/persistence_texts.h"

namespace {

// Kept for the next start-up: a failure that the end of the session held
// back. Best effort: on a full disk even this may not be written.
void keepForNextStartUp(const char* text)
{
    if (std::FILE* file = std::fopen(data_file_format::heldNoticeFileName, "a")) {
        std::fputs(text, file);
        std::fputs("\n\n", file);
        std::fclose(file);
    }
}

}  // namespace

void announceFailure(FailureNotice& notice, const char* text, const char* caption,
                     host::MessageIcon icon)
{
    if (notice.announced || notice.boxOpen)
        return;
    notice.announced = true;
    if (failureBoxesHeld) {
        keepForNextStartUp(text);
        return;
    }
    notice.boxOpen = true;
    host::messageBox(text, caption, icon);
    notice.boxOpen = false;
}

void clearFailure(FailureNotice& notice)
{
    notice.announced = false;
}

void tellFailuresHeldBack()
{
    std::uint64_t size = 0;
    if (!host::findFileSize(data_file_format::heldNoticeFileName, &size))
        return;
    char text[2048] = "";
    if (std::FILE* file = std::fopen(data_file_format::heldNoticeFileName, "r")) {
        text[std::fread(text, 1, sizeof text - 1, file)] = '\0';
        std::fclose(file);
    }
    // Told once: removed before the box, which may stay open for long.
    std::remove(data_file_format::heldNoticeFileName);
    if (text[0] != '\0')
        host::messageBox(text, persistence_texts::errorCaption, host::MessageIcon::error);
}
