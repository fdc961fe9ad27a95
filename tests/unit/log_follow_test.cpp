// Following a log file as the reader does: growth, a file replaced by another
// of the same or a larger size, one that shrinks or goes, and one larger than
// the reader holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>

#include "companions/engine/followed_file.h"
#include "tests/unit/persistence_fixture.h"

namespace {

TEST(FollowFile, EachChangeIsReadOnlyGrowthOnTopAndALargeFileFromNearItsEnd)
{
    uvlog::FollowedFile file{scratchPath("ytime.dab"), {}};
    const auto write = [&](const std::string& bytes, bool append) {
        std::ofstream(file.path, std::ios::binary | (append ? std::ios::app : std::ios::trunc))
            << bytes;
    };
    const struct {
        const char* step;
        std::string bytes;
        bool append;
        bool changed;
        std::string text;
    } steps[] = {
        {"first look", "rad ett\r\n", false, true, "rad ett\r\n"},
        {"unchanged", "", true, false, "rad ett\r\n"},
        {"grown", "rad tv\xE5\r\n", true, true, "rad ett\r\nrad tv\xE5\r\n"},
        {"same size, other bytes", "rad TRE\r\nrad fyr\r\n", false, true, "rad TRE\r\nrad fyr\r\n"},
        {"larger, new start", "ny rad 1\r\nny rad 2\r\n", false, true, "ny rad 1\r\nny rad 2\r\n"},
        {"shrunk", "kort\r\n", false, true, "kort\r\n"},
    };
    for (const auto& step : steps) {
        write(step.bytes, step.append);
        const bool changed = uvlog::followFile(file, 1024);
        // Whether it changed, its text, where it ends and its lines.
        EXPECT_EQ(std::tuple(changed, file.log.text, file.end, file.log.entries.size()),
                  std::tuple(step.changed, step.text, step.text.size(),
                             std::size_t(std::count(step.text.begin(), step.text.end(), '\n'))))
            << step.step;
    }

    std::remove(file.path.c_str());
    EXPECT_TRUE(uvlog::followFile(file, 1024)) << "gone";
    EXPECT_EQ(std::tuple(file.found, file.log.text), std::tuple(false, std::string()));
    EXPECT_FALSE(uvlog::followFile(file, 1024)) << "still gone";

    // Come back larger than the reader holds, it is read from a line end
    // near its end.
    write("rad 1 ....\nrad 2 ....\nrad 3 ....\n", false);
    ASSERT_TRUE(uvlog::followFile(file, 15));
    // The cut line is left out.
    EXPECT_EQ(std::tuple(file.log.text, file.start, file.fileSize),
              std::tuple("rad 3 ....\n", 22u, 33u));
    write("rad 4\n", true);
    ASSERT_TRUE(uvlog::followFile(file, 15));
    // Growth is read on top.
    EXPECT_EQ(std::tuple(file.log.text, file.start), std::tuple("rad 3 ....\nrad 4\n", 22u));
}

}  // namespace
