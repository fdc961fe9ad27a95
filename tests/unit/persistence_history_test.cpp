// The start-up move of an oversized log into yhist.dab, on real files: when
// it happens, what the history holds, and that a failed move loses nothing.

#include <filesystem>

#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

// The data files' names, and the messages about them.
namespace texts {
using namespace data_file_format;
using namespace persistence_texts;
}  // namespace texts

namespace {

const std::string oldHistory = "HISTORIA\nan earlier log\n";

class History : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        setLimit("4000000\n");
        writeFile(texts::historyFileName, oldHistory);
    }
    static void setLimit(const char* text)
    {
        std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "%s", text);
    }
    // A log of exactly `size` bytes made of lines such as the tick writes.
    static std::string makeLog(std::size_t size)
    {
        const std::string line = std::string(13, ' ') + "1   rest of a record\n";
        std::string log;
        while (log.size() + line.size() <= size)
            log += line;
        log += std::string(size - log.size(), 'x');
        writeFile(texts::logFileName, log);
        return log;
    }
    void expectNothingMoved(const std::string& log)
    {
        EXPECT_EQ(readFile(texts::logFileName), log);
        EXPECT_EQ(readFile(texts::historyFileName), oldHistory);
        EXPECT_FALSE(exists(texts::historyTempFileName));
    }
};

TEST_F(History, LogIsMovedOnlyWhenLargerThanTheSetting)
{
    const std::string atLimit = makeLog(4'000'000);
    checkLogSize();
    expectNothingMoved(atLimit);
    EXPECT_TRUE(fakeHost.titlesSet.empty());

    const std::string overLimit = makeLog(4'000'001);
    checkLogSize();
    EXPECT_TRUE(readFile(texts::historyFileName) == "HISTORIA\r\n" + overLimit);
    EXPECT_EQ(readFile(texts::logFileName), "");
    EXPECT_EQ(fakeHost.titlesSet, std::vector<std::string>{texts::movingLogTitle});
    EXPECT_TRUE(fakeHost.messages.empty());
}

TEST_F(History, EmptyLogIsNeverMovedWhateverTheSetting)
{
    for (const char* limit : {"", "0", "-5\n", "abc"}) {
        setLimit(limit);
        writeFile(texts::logFileName, "");
        checkLogSize();
        expectNothingMoved("");

        writeFile(texts::logFileName, "one line\n");
        checkLogSize();
        EXPECT_EQ(readFile(texts::historyFileName), "HISTORIA\r\none line\n") << limit;
        writeFile(texts::historyFileName, oldHistory);
    }
}

TEST_F(History, TwoMovesInARowKeepOnlyTheLaterLog)
{
    setLimit("10");
    writeFile(texts::logFileName, "first log, long enough\n");
    checkLogSize();
    writeFile(texts::logFileName, "second log, long enough\r\nwith a line of its own");
    checkLogSize();
    EXPECT_EQ(readFile(texts::historyFileName),
              "HISTORIA\r\nsecond log, long enough\r\nwith a line of its own");
}

TEST_F(History, EveryByteIsMovedCtrlZAndNulIncluded)
{
    setLimit("10");
    const std::string log =
        std::string("before\x1a after\r\n") + std::string(1, '\0') + "\xff title\r\n\x1a";
    writeFile(texts::logFileName, log);
    checkLogSize();
    EXPECT_EQ(readFile(texts::historyFileName), "HISTORIA\r\n" + log);
    EXPECT_EQ(readFile(texts::logFileName), "");
}

TEST_F(History, LargeLogsCountInFullEvenPastFourGibibytes)
{
    EXPECT_FALSE(logIsOverLimit(4'000'000, 4'000'000));
    EXPECT_TRUE(logIsOverLimit(4'000'000, 4'000'001));
    EXPECT_FALSE(logIsOverLimit(0, 0));
    EXPECT_FALSE(logIsOverLimit(-1, 0));
    EXPECT_TRUE(logIsOverLimit(-1, 1));
    // Sizes whose low 32 bits are small or read as negative.
    EXPECT_TRUE(logIsOverLimit(4'000'000, (1ull << 32) + 1));
    EXPECT_TRUE(logIsOverLimit(4'000'000, (1ull << 31) + 5));
}

TEST_F(History, MissingLogIsToldAndNothingIsMoved)
{
    checkLogSize();
    ASSERT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(fakeHost.messages[0].text, texts::logNotFoundMessage);
    EXPECT_EQ(fakeHost.messages[0].caption, "FELMEDDELANDE");
    EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::error);
    EXPECT_EQ(readFile(texts::historyFileName), oldHistory);
    EXPECT_FALSE(exists(texts::logFileName));
}

// Three runs of a new install, each with records: nothing is moved while
// the log is small, so the log and the history still hold all three.
TEST_F(History, NewInstallKeepsEveryRunOverRestarts)
{
    std::filesystem::remove(texts::historyFileName);
    fakeHost.titles = {{11, "Anteckningar"}};
    for (int run = 1; run <= 3; ++run) {
        fakeHost = FakeHost{fakeHost};
        resetProgramState();
        fakeHost.tick = 600'000;
        captureDateTime();
        loadState();
        checkLogSize();
        shell.startupComplete = true;
        fakeHost.windowAbove = 11;
        for (int tick = 0; tick < 3; ++tick) {
            fakeHost.tick += 100;
            runTick();
        }
        fakeHost.tick += 5000;
        endRun();
    }
    EXPECT_TRUE(fakeHost.messages.empty());
    const std::string all = readFile(texts::historyFileName) + readFile(texts::logFileName);
    for (const char* header : {"Uppstart nr=  1 ", "Uppstart nr=  2 ", "Uppstart nr=  3 "})
        EXPECT_NE(all.find(header), std::string::npos) << header;
    EXPECT_EQ(readFile(texts::stateFileName).substr(0, 3), "3  ");
}

// A history that cannot be written: the log stays as it was, and so does the
// earlier history.
class HistoryFaults : public History {
protected:
    void expectToldLogKept(const std::string& log)
    {
        expectNothingMoved(log);
        ASSERT_EQ(fakeHost.messages.size(), 1u);
        EXPECT_EQ(fakeHost.messages[0].text, texts::historyNotWrittenMessage);
        EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::error);
    }
};

TEST_F(HistoryFaults, FullDisk)
{
    const std::string log = makeLog(4'000'001);
    std::filesystem::create_symlink("/dev/full", texts::historyTempFileName);
    checkLogSize();
    expectToldLogKept(log);
}

TEST_F(HistoryFaults, DirectoryInPlaceOfTheHistory)
{
    const std::string log = makeLog(4'000'001);
    std::filesystem::remove(texts::historyFileName);
    std::filesystem::create_directory(texts::historyFileName);
    checkLogSize();
    EXPECT_EQ(readFile(texts::logFileName), log);
    EXPECT_TRUE(std::filesystem::is_directory(texts::historyFileName));
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::historyNotWrittenMessage);
}

TEST_F(HistoryFaults, FailureBetweenWritingAndReplacing)
{
    const std::string log = makeLog(4'000'001);
    fakeHost.replaceFails = true;
    checkLogSize();
    expectToldLogKept(log);
}

TEST_F(HistoryFaults, LogThatCannotBeEmptiedIsKeptWithItsCopyInTheHistory)
{
    const std::string log = makeLog(4'000'001);
    if (!makeUnwritable(texts::logFileName))
        GTEST_SKIP() << "this file system cannot make a file unwritable";
    checkLogSize();
    EXPECT_EQ(readFile(texts::logFileName), log);
    EXPECT_TRUE(readFile(texts::historyFileName) == "HISTORIA\r\n" + log);
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::logNotEmptiedMessage);
}

}  // namespace
