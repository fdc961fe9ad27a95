#include "timekeeping/atomic_write.h"

#include "common/data_file_format.h"
#include "host/host.h"

AtomicWrite writeFileAtomically(const char* target, const char* tempName, const char* mode,
                                const std::function<bool(std::FILE*)>& write)
{
    // Not removed when it cannot be opened: whatever holds the name (a
    // directory, a file in use) is not ours.
    std::FILE* file = std::fopen(tempName, mode);
    if (file == nullptr)
        return AtomicWrite::notOpened;
    bool written = write(file);
    written = std::fflush(file) == 0 && !std::ferror(file) && written;
    written = written && host::flushFileToDisk(file);
    written = std::fclose(file) == 0 && written;
    const AtomicWrite result = !written ? AtomicWrite::contentNotWritten
                               : host::replaceFile(tempName, target) ? AtomicWrite::written
                                                                     : AtomicWrite::notReplaced;
    if (result != AtomicWrite::written)
        std::remove(tempName);
    return result;
}

void removeLeftoverTempFiles()
{
    std::remove(data_file_format::stateTempFileName);
    std::remove(data_file_format::historyTempFileName);
}
