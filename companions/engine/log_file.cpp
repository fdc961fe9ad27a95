#include "companions/engine/log_file.h"

#include <fstream>

namespace uvlog {

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

bool readFileFrom(const std::string& path, std::uint64_t offset, std::string& out)
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
    const std::size_t count = static_cast<std::size_t>(static_cast<std::uint64_t>(end) - offset);
    const std::size_t start = out.size();
    out.resize(start + count);
    file.read(&out[start], static_cast<std::streamsize>(count));
    out.resize(start + static_cast<std::size_t>(file.gcount()));
    return true;
}

}  // namespace uvlog
