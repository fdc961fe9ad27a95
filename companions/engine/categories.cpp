#include "companions/engine/categories.h"

#include "companions/engine/log_format.h"
#include "companions/engine/privacy.h"
#include "companions/engine/user_text_file.h"

namespace uvlog {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

}  // namespace

std::size_t CategoryList::categoryOf(std::string_view title) const
{
    for (const Rule& rule : rules) {
        if (wildcardMatches(rule.foldedPattern, title))
            return rule.category;
    }
    return names.size();
}

CategoryList parseCategoryList(std::string_view text)
{
    CategoryList list;
    text = text.substr(0, categoryFileMaxBytes);
    while (!text.empty() && list.rules.size() < categoryMaxRules) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        const std::string_view name = trimmed(line.substr(0, equals));
        const std::string_view pattern = trimmed(line.substr(equals + 1));
        if (name.empty() || pattern.empty())
            continue;
        CategoryList::Rule rule;
        while (rule.category < list.names.size() && list.names[rule.category] != name)
            ++rule.category;
        if (rule.category == list.names.size())
            list.names.emplace_back(name);
        rule.foldedPattern = foldCase(pattern);
        list.rules.push_back(std::move(rule));
    }
    return list;
}

CategoryList readCategoryFile(const std::string& path)
{
    // Twice the bytes: in UTF-16 every letter takes two.
    return parseCategoryList(readUserTextFile(path, 2 * categoryFileMaxBytes));
}

}  // namespace uvlog
