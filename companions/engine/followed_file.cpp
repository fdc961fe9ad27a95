#include "companions/engine/followed_file.h"

#include <algorithm>

#include "companions/engine/log_file.h"

namespace uvlog {

namespace {

// Bytes compared at each end of what was read, to tell a file that another
// has replaced from one that has only grown.
constexpr std::size_t replacementProbeBytes = 4096;

bool stillTheFileRead(const FollowedFile& file)
{
    const std::string& text = file.log.text;
    const std::size_t probe = std::min(replacementProbeBytes, text.size());
    std::string head;
    std::string tail;
    return readFileFrom(file.path, file.start, head, probe) &&
           readFileFrom(file.path, file.end - probe, tail, probe) &&
           text.compare(0, probe, head) == 0 && text.compare(text.size() - probe, probe, tail) == 0;
}

}  // namespace

void FollowedFile::forget()
{
    std::string kept = std::move(path);
    *this = FollowedFile();
    path = std::move(kept);
}

bool followFile(FollowedFile& file, std::uint64_t maxBytes)
{
    std::uint64_t size = 0;
    const bool exists = fileSize(file.path, &size);
    bool changed = false;
    if (!exists || size < file.end || (file.end > 0 && !stillTheFileRead(file))) {
        changed = file.end > 0;
        file.forget();
    }
    file.found = exists;
    file.fileSize = size;
    if (!exists || size == file.end)
        return changed;
    std::string bytes;
    if (file.end == 0 && size > maxBytes) {
        const std::uint64_t from = size - maxBytes;
        if (!readFileFrom(file.path, from, bytes))
            return changed;
        // The first line may be cut: begin after its end.
        const std::size_t lineEnd = bytes.find('\n');
        const std::size_t skip = lineEnd == std::string::npos ? 0 : lineEnd + 1;
        bytes.erase(0, skip);
        file.start = file.end = from + skip;
    } else if (!readFileFrom(file.path, file.end, bytes)) {
        return changed;
    }
    if (bytes.empty())
        return changed;
    appendLogText(file.log, bytes);
    file.end += bytes.size();
    return true;
}

}  // namespace uvlog
