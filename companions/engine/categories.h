#pragma once
// The user's categories: a small text file beside the data, one rule a line,
//   KATEGORI = MÖNSTER
// the pattern as in the privacy list ("*" for any text, case-blind, the
// whole title). Lines beginning with "#" and blank lines are skipped; the
// first rule that matches a title gives its category.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace uvlog {

struct CategoryList {
    // Each category once, in the order the file first names it.
    std::vector<std::string> names;
    struct Rule {
        std::size_t category = 0;  // index into names
        std::string foldedPattern;
    };
    std::vector<Rule> rules;

    // The index of the title's category in `names`, or names.size() when
    // no rule matches ("(övrigt)").
    std::size_t categoryOf(std::string_view title) const;
};

// As the privacy list, the file is typed by hand: longer files and more
// rules than these are cut.
constexpr std::size_t categoryFileMaxBytes = 64 * 1024;
constexpr std::size_t categoryMaxRules = 500;

CategoryList parseCategoryList(std::string_view text);

// The rules in `path`, in any encoding an editor saves; none when the file
// does not exist.
CategoryList readCategoryFile(const std::string& path);

}  // namespace uvlog
