#pragma once
// The privacy list: window titles the companions hide from every view and
// export, shown as "(dolt)". The list is a small text file beside the data,
// one pattern a line, with "*" standing for any text; case does not count.
// Blank lines and lines beginning with "#" are ignored. The log itself is
// never changed.

#include <string>
#include <string_view>
#include <vector>

namespace uvlog {

struct PrivacyList {
    std::vector<std::string> foldedPatterns;

    bool hides(std::string_view title) const;
};

// Longer files and more patterns than these are cut: the list is typed by
// hand, and every title is matched against every pattern.
constexpr std::size_t privacyFileMaxBytes = 64 * 1024;
constexpr std::size_t privacyMaxPatterns = 500;

PrivacyList parsePrivacyList(std::string_view text);

// The list in `path`, in any encoding an editor saves; empty when the file
// does not exist.
PrivacyList readPrivacyFile(const std::string& path);

// True when the whole of `text` matches `foldedPattern` ("*" any text, also
// none), comparing case-blind.
bool wildcardMatches(std::string_view foldedPattern, std::string_view text);

// The title as views show it: hidden ones as "(dolt)".
std::string_view visibleTitle(const PrivacyList& privacy, std::string_view title);

}  // namespace uvlog
