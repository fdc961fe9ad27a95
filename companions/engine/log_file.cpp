#include "companions/engine/log_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "companions/engine/log_parser.h"
#include "companions/engine/log_statistics.h"

namespace uvlog {

namespace {

constexpr std::size_t pieceBytes = 1 << 20;
// No line the program writes comes near this; a longer one (a damaged file)
// is ended here and the rest of it skipped, so it cannot fill the memory.
constexpr std::size_t longestLineBytes = 1 << 20;

// Hands the complete lines read so far to the summariser and forgets them,
// keeping only an unfinished last line and the runs.
void passCompleteLines(ParsedLog& log, LogSummariser& summariser)
{
    ParserPosition& at = log.committed;
    for (std::size_t i = 0; i < at.entryCount; ++i)
        summariser.addEntry(log, log.entries[i]);
    log.entries.erase(log.entries.begin(),
                      log.entries.begin() + static_cast<std::ptrdiff_t>(at.entryCount));
    log.text.erase(0, at.offset);
    for (LogEntry& entry : log.entries)
        entry.textOffset -= at.offset;
    at.offset = 0;
    at.entryCount = 0;
}

}  // namespace

bool fileSize(const std::string& path, std::uint64_t* size)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    const std::streamoff end = file.tellg();
    if (end < 0)
        return false;
    *size = static_cast<std::uint64_t>(end);
    return true;
}

bool readFileFrom(const std::string& path, std::uint64_t offset, std::string& out,
                  std::uint64_t count)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    const std::streamoff end = file.tellg();
    if (end < 0)
        return false;
    if (static_cast<std::uint64_t>(end) <= offset)
        return true;
    file.seekg(static_cast<std::streamoff>(offset));
    const std::uint64_t wanted = std::min(count, static_cast<std::uint64_t>(end) - offset);
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(wanted));
    file.read(&out[start], static_cast<std::streamsize>(wanted));
    out.resize(start + static_cast<std::size_t>(file.gcount()));
    return true;
}

FileReading whatLiesAt(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileReading::missing;
    if (status.type() == std::filesystem::file_type::directory)
        return FileReading::folder;
    return FileReading::read;
}

FileReading summariseFile(const std::string& path, LogSummariser& summariser)
{
    if (const FileReading kind = whatLiesAt(path); kind != FileReading::read)
        return kind;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return FileReading::unreadable;
    summariser.beginLog();
    ParsedLog log;
    std::vector<char> piece(pieceBytes);
    bool skippingLine = false;
    while (file) {
        file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        std::string_view bytes(piece.data(), static_cast<std::size_t>(file.gcount()));
        if (bytes.empty())
            break;
        if (skippingLine) {
            const std::size_t lineEnd = bytes.find('\n');
            if (lineEnd == std::string_view::npos)
                continue;
            bytes.remove_prefix(lineEnd + 1);
            skippingLine = false;
        }
        appendLogText(log, bytes);
        passCompleteLines(log, summariser);
        if (log.text.size() > longestLineBytes) {
            appendLogText(log, "\n");
            passCompleteLines(log, summariser);
            skippingLine = true;
        }
    }
    // The last line, when the file ends without a line end.
    for (const LogEntry& entry : log.entries)
        summariser.addEntry(log, entry);
    summariser.endLog(log);
    return file.bad() ? FileReading::unreadable : FileReading::read;
}

}  // namespace uvlog
