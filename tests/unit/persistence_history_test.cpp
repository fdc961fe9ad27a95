// The start-up move of an oversized log into yhist.dab, on real files: when
// it happens and what the history holds. Failing moves are swept with the
// other file calls of a start-up.

#include <gmock/gmock.h>

#include "app/shell_texts.h"
#include "app/window_title.h"
#include "common/data_file_format.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

namespace format = data_file_format;

namespace {

const std::string oldHistory = "HISTORIA\nan earlier log\n";

using History = PersistenceTest;

// Checks the log of `log` against the size setting `limit`; true when it moved.
bool moved(const char* limit, const std::string& log)
{
    std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s", limit);
    PersistenceTest::writeFile(format::historyFileName, oldHistory);
    PersistenceTest::writeFile(format::logFileName, log);
    checkLogSize(announceLogMove);
    if (PersistenceTest::readFile(format::historyFileName) == oldHistory)
        return false;
    EXPECT_EQ(PersistenceTest::readFile(format::historyFileName), "HISTORIA\r\n" + log);
    EXPECT_EQ(PersistenceTest::readFile(format::logFileName), "");
    EXPECT_EQ(fakeHost.titlesSet.back(), shell_texts::movingLogTitle);
    return true;
}

TEST_F(History, LogIsMovedWholeOnlyWhenLargerThanTheSetting)
{
    EXPECT_FALSE(moved("10\n", "ten bytes\n"));
    EXPECT_EQ(readFile(format::logFileName), "ten bytes\n");
    EXPECT_TRUE(fakeHost.titlesSet.empty());
    // Binary: Ctrl-Z and NUL bytes would end a text-mode copy.
    EXPECT_TRUE(moved("10\n", std::string("before\x1a after\r\n") + '\0' + "\xff title\r\n\x1a"));
    EXPECT_TRUE(fakeHost.messages.empty());

    // A setting that is no number or below 1 moves every log but an empty one.
    for (const char* limit : {"", "0", "-5\n", "abc"}) {
        EXPECT_FALSE(moved(limit, "")) << limit;
        EXPECT_TRUE(moved(limit, "one line\n")) << limit;
    }

    EXPECT_FALSE(logIsOverLimit(4'000'000, 4'000'000));
    // The last two: sizes whose low 32 bits are small or read as negative.
    for (std::uint64_t size : {4'000'001ull, (1ull << 32) + 1, (1ull << 31) + 5})
        EXPECT_TRUE(logIsOverLimit(4'000'000, size)) << size;
}

}  // namespace
