#pragma once
// The small text files a user writes by hand beside the data (the privacy
// list, the category rules). Editors save them in different encodings:
// Notepad writes UTF-8 by default, and UTF-16 or the ANSI code page on
// request. The companions work in Windows-1252, so every such file is
// converted to it before its lines are read.

#include <cstddef>
#include <string>
#include <string_view>

namespace uvlog {

// The text as Windows-1252: UTF-16 (LE or BE, by its byte-order mark),
// UTF-8 (with a mark, or without one when the bytes are valid UTF-8), or
// else taken as Windows-1252 already. A character that Windows-1252 lacks
// becomes "?".
std::string windows1252FromUserText(std::string_view bytes);

// At most `maxBytes` of the file, converted as above; empty when the file
// does not exist or cannot be read.
std::string readUserTextFile(const std::string& path, std::size_t maxBytes);

}  // namespace uvlog
