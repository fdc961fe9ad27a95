#include "companions/engine/privacy.h"

#include "companions/companion_texts.h"
#include "companions/engine/log_format.h"
#include "companions/engine/user_text_file.h"

namespace uvlog {

bool wildcardMatches(std::string_view pattern, std::string_view text)
{
    // Greedy with one point to come back to: the last "*" and where its match
    // ended. Linear in most cases, at worst pattern length x text length.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starText = t;
        } else if (p < pattern.size() && foldedByte(text[t]) == pattern[p]) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool PrivacyList::hides(std::string_view title) const
{
    for (const std::string& pattern : foldedPatterns) {
        if (wildcardMatches(pattern, title))
            return true;
    }
    return false;
}

PrivacyList parsePrivacyList(std::string_view text)
{
    PrivacyList list;
    text = text.substr(0, privacyFileMaxBytes);
    while (!text.empty() && list.foldedPatterns.size() < privacyMaxPatterns) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        list.foldedPatterns.push_back(foldCase(line));
    }
    return list;
}

PrivacyList readPrivacyFile(const std::string& path)
{
    // Twice the bytes: in UTF-16 every letter takes two.
    return parsePrivacyList(readUserTextFile(path, 2 * privacyFileMaxBytes));
}

std::string_view visibleTitle(const PrivacyList& privacy, std::string_view title)
{
    return privacy.hides(title) ? std::string_view(companion_texts::hiddenTitle) : title;
}

}  // namespace uvlog
