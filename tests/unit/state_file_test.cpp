// ysave.dab on real files: what loadState takes from it, the bytes saveState
// writes, and that no failure ever costs the file written before.

#include <unistd.h>

#include <filesystem>

#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/atomic_write.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"

// The data files' names, and the messages about them.
namespace texts {
using namespace data_file_format;
using namespace persistence_texts;
}  // namespace texts

namespace {

const std::string storedState = sampleState();

class StateFile : public PersistenceTest {
protected:
    // A new start-up of the program over the files of the last one.
    void restart()
    {
        fakeHost = FakeHost{};
        resetProgramState();
        startRun(1'000'000);
        loadState();
    }
    // A save as the log writer makes it, `ms` into the run.
    void saveAfter(std::uint64_t ms)
    {
        runFor(ms);
        saveState();
    }
};

TEST_F(StateFile, StoredValuesComeBackOneStartUpLaterWithTheRunAdded)
{
    writeFile(texts::stateFileName, storedState);
    restart();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_EQ(stateFile.startupCount, 57);
    EXPECT_EQ(clockState.savedHours, 312);
    EXPECT_EQ(clockState.savedMinutes, 5);
    EXPECT_EQ(clockState.savedSeconds, 48);
    EXPECT_EQ(stateFile.savedAppTotal, 1200);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000\n");

    saveAfter(10'000);
    EXPECT_EQ(readFile(texts::stateFileName),
              "57   =Uppstarter\n"
              "312   =Timmar totalt\n"
              "05   =Minuter totalt\n"
              "58   =Sekunder totalt\n"
              "1201   =Applikationer totalt\n"
              "4000000\n"
              "\n"
              "Slut\n");
    saveAfter(0);
    saveAfter(0);
    EXPECT_NE(readFile(texts::stateFileName).find("\n1203   =Applikationer totalt\n"),
              std::string::npos);

    // What saveState wrote reads back whole, and the count goes on.
    restart();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_EQ(stateFile.startupCount, 58);
    EXPECT_EQ(clockState.savedSeconds, 58);
    EXPECT_EQ(stateFile.savedAppTotal, 1203);
}

TEST_F(StateFile, NewInstallStartsQuietlyWithTheProgramsOwnSizeSetting)
{
    restart();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_TRUE(stateFile.newInstall);
    EXPECT_EQ(stateFile.startupCount, 1);
    EXPECT_EQ(clockState.savedHours + clockState.savedMinutes + clockState.savedSeconds, 0);

    saveAfter(3'723'000);  // 1:02:03
    EXPECT_EQ(readFile(texts::stateFileName),
              "1   =Uppstarter\n1   =Timmar totalt\n02   =Minuter totalt\n"
              "03   =Sekunder totalt\n1   =Applikationer totalt\n4000000\nSlut\n");

    // Read back, the setting comes with its line end: an empty line 7.
    restart();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_FALSE(stateFile.newInstall);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000\n");
    saveAfter(0);
    EXPECT_EQ(readFile(texts::stateFileName),
              "2   =Uppstarter\n1   =Timmar totalt\n02   =Minuter totalt\n"
              "03   =Sekunder totalt\n2   =Applikationer totalt\n4000000\n\nSlut\n");

    // Gone while the log is still there: that is told, and the setting is
    // the cap again, never an empty one that would move the log each time.
    std::filesystem::remove(texts::stateFileName);
    writeFile(texts::logFileName, "a log\n");
    restart();
    ASSERT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(fakeHost.messages[0].text, texts::stateNotFoundMessage);
    EXPECT_EQ(fakeHost.messages[0].caption, "FILFEL");
    EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::none);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000");
}

TEST_F(StateFile, SizeSettingIsCappedAndKeepsTheFormItWasReadIn)
{
    const std::string head = storedState.substr(0, storedState.find("4000000\n"));
    struct Case {
        std::string line6AndRest;
        std::string writtenTail;
    };
    const Case cases[] = {
        {"4000000\n\nSlut\n", "4000000\n\nSlut\n"},
        {"5000000\n\nSlut\n", "4000000\n\nSlut\n"},
        // Eight characters leave their line end to the final read: no line 7.
        {"12345678\nSlut\n", "4000000\nSlut\n"},
        {"00001000\nSlut\n", "00001000\nSlut\n"},
        {"abc\n\nSlut\n", "abc\n\nSlut\n"},
        {"-17\n\nSlut\n", "-17\n\nSlut\n"},
    };
    for (const Case& c : cases) {
        writeFile(texts::stateFileName, head + c.line6AndRest);
        restart();
        EXPECT_TRUE(fakeHost.messages.empty()) << c.line6AndRest;
        saveAfter(0);
        const std::string written = readFile(texts::stateFileName);
        EXPECT_EQ(written.substr(written.find("totalt\n", written.find("Applikationer")) + 7),
                  c.writtenTail)
            << c.line6AndRest;
    }
}

TEST_F(StateFile, ShortFileIsReportedKeptAsideAndWhatWasReadIsUsed)
{
    const std::string endsAfterLine6 = storedState.substr(0, storedState.find("\nSlut"));
    writeFile(texts::stateFileName, endsAfterLine6);
    restart();
    ASSERT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(fakeHost.messages[0].text, std::string(texts::stateUnreadableMessage) +
                                             "\nDen gamla filen beh\xE5lls som 'ysave.old'.");
    EXPECT_EQ(fakeHost.messages[0].caption, "FILFEL");
    EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::error);
    EXPECT_EQ(stateFile.startupCount, 57);
    EXPECT_EQ(stateFile.savedAppTotal, 1200);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000\n");
    EXPECT_EQ(readFile("ysave.old"), endsAfterLine6);

    // Cut after line 3: the later lines count as 0, and the first kept file
    // is not overwritten by the second.
    writeFile(texts::stateFileName, storedState.substr(0, storedState.find("48 ")));
    restart();
    EXPECT_EQ(captions(), std::vector<std::string>{"FILFEL"});
    EXPECT_EQ(clockState.savedHours, 312);
    EXPECT_EQ(clockState.savedMinutes, 5);
    EXPECT_EQ(clockState.savedSeconds, 0);
    EXPECT_EQ(stateFile.savedAppTotal, 0);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000");
    EXPECT_EQ(readFile("ysave.old"), endsAfterLine6);
    EXPECT_EQ(readFile("ysave1.old"), storedState.substr(0, storedState.find("48 ")));

    // An empty file has nothing to keep.
    writeFile(texts::stateFileName, "");
    restart();
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::stateUnreadableMessage);
    EXPECT_EQ(stateFile.startupCount, 1);
}

TEST_F(StateFile, FileThatIsNotAStateFileIsKeptAsideBeforeTheFirstSave)
{
    std::string utf16 = "\xFF\xFE";
    for (char c : storedState.substr(0, 40))
        utf16 += std::string{c, '\0'};
    const std::string forms[] = {
        utf16,
        "\xEF\xBB\xBF" + storedState,
        storedState.substr(0, 20) + std::string(1, '\0') + storedState.substr(20),
        "56   =Uppstarter\r312   =Timmar totalt\r05\r48\r1200\r4000000\rSlut\r",
    };
    for (const std::string& form : forms) {
        std::filesystem::remove("ysave.old");
        writeFile(texts::stateFileName, form);
        restart();
        ASSERT_EQ(captions(), std::vector<std::string>{"FILFEL"}) << form;
        EXPECT_NE(fakeHost.messages[0].text.find("'ysave.old'"), std::string::npos);
        saveAfter(1000);
        EXPECT_EQ(readFile("ysave.old"), form) << "its bytes stay as they were";
        EXPECT_EQ(readFile(texts::stateFileName)
                      .rfind(std::to_string(stateFile.startupCount) + "   =Uppstarter\n", 0),
                  0u);
    }
}

TEST_F(StateFile, FileHeldForAMomentIsWaitedFor)
{
    writeFile(texts::stateFileName, storedState);
    if (!makeUnwritable(texts::stateFileName))
        GTEST_SKIP() << "this file system cannot make a file unwritable";
    fakeHost.whileWaiting = [this] { makeWritable(texts::stateFileName); };
    resetProgramState();
    startRun(1'000'000);
    loadState();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_GT(fakeHost.waitedMs, 0u);
    EXPECT_EQ(stateFile.startupCount, 57);
    EXPECT_FALSE(exists("ysave.old"));
}

TEST_F(StateFile, NumbersAreReadToTheirEnd)
{
    // Lines are read whole: a bare number on line 1 takes nothing from
    // line 2, and counts past eight digits come back as written.
    writeFile(texts::stateFileName,
              "56\n312   =Timmar totalt\n05   =Minuter totalt\n48   =Sekunder totalt\n"
              "1200   =Applikationer totalt\n4000000\n\nSlut\n");
    restart();
    EXPECT_EQ(stateFile.startupCount, 57);
    EXPECT_EQ(clockState.savedHours, 312);
    EXPECT_EQ(clockState.savedMinutes, 5);
    EXPECT_EQ(clockState.savedSeconds, 48);
    EXPECT_EQ(stateFile.savedAppTotal, 1200);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000\n");
    EXPECT_TRUE(fakeHost.messages.empty());

    // Blanks (a tab too) and a sign come before digits.
    writeFile(texts::stateFileName,
              "99999999   =Uppstarter\n1234567   =Timmar totalt\n\t7   =Minuter totalt\n"
              "+59   =Sekunder totalt\n  123456789x   =Applikationer totalt\n\n\nSlut\n");
    restart();
    EXPECT_EQ(stateFile.startupCount, 100000000);
    EXPECT_EQ(clockState.savedHours, 1234567);
    EXPECT_EQ(clockState.savedMinutes, 7);
    EXPECT_EQ(clockState.savedSeconds, 59);
    EXPECT_EQ(stateFile.savedAppTotal, 123456789);
    saveAfter(0);
    restart();
    EXPECT_EQ(stateFile.startupCount, 100000001);
    EXPECT_EQ(stateFile.savedAppTotal, 123456790);
}

TEST_F(StateFile, AbsurdValuesAreKeptWithinWhatTheCountersCanShow)
{
    writeFile(
        texts::stateFileName,
        "-5   =Uppstarter\n-7   =Timmar totalt\n99   =Minuter totalt\n"
        "-1   =Sekunder totalt\n99999999999999999999   =Applikationer totalt\n4000000\n\nSlut\n");
    restart();
    EXPECT_EQ(stateFile.startupCount, 1);
    EXPECT_EQ(clockState.savedHours, 0);
    EXPECT_EQ(clockState.savedMinutes, 59);
    EXPECT_EQ(clockState.savedSeconds, 0);
    EXPECT_EQ(stateFile.savedAppTotal, INT32_MAX - 1) << "too many digits saturate";

    saveAfter(3'599'000);  // 0:59:00 saved and 0:59:59 run
    EXPECT_EQ(readFile(texts::stateFileName)
                  .rfind("1   =Uppstarter\n1   =Timmar totalt\n"
                         "58   =Minuter totalt\n59   =Sekunder",
                         0),
              0u);
}

// Faults tried for real. In every case the file saved before stays whole,
// no temporary file is left, and the user hears of it once.
class StateFileFaults : public StateFile {
protected:
    void SetUp() override
    {
        StateFile::SetUp();
        writeFile(texts::stateFileName, storedState);
        restart();
    }
    void expectToldOnce()
    {
        ASSERT_EQ(fakeHost.messages.size(), 1u);
        EXPECT_EQ(fakeHost.messages[0].text, texts::stateNotWrittenMessage);
        EXPECT_EQ(fakeHost.messages[0].caption, "FELMEDDELANDE");
        EXPECT_EQ(fakeHost.messages[0].icon, host::MessageIcon::error);
    }
    void expectUntouched()
    {
        EXPECT_EQ(readFile(texts::stateFileName), storedState);
        EXPECT_FALSE(exists(texts::stateTempFileName));
    }
};

TEST_F(StateFileFaults, FullDiskKeepsTheOldFileAndIsToldOnceUntilASaveSucceeds)
{
    for (int i = 0; i < 3; ++i) {
        std::filesystem::create_symlink("/dev/full", texts::stateTempFileName);
        saveAfter(1000);
        expectUntouched();
    }
    expectToldOnce();
    EXPECT_EQ(stateFile.appCount, 3) << "every run of the log writer still counts";

    saveAfter(1000);
    EXPECT_NE(readFile(texts::stateFileName).find("1204   =Applikationer"), std::string::npos);

    std::filesystem::create_symlink("/dev/full", texts::stateTempFileName);
    saveAfter(1000);
    EXPECT_EQ(fakeHost.messages.size(), 2u) << "a new failure after a success is news";
}

TEST_F(StateFileFaults, DirectoryInPlaceOfTheFile)
{
    std::filesystem::remove(texts::stateFileName);
    std::filesystem::create_directory(texts::stateFileName);
    writeFile("ysave.dab/keep", "x");
    restart();
    EXPECT_EQ(captions(), std::vector<std::string>{"FILFEL"});
    for (int i = 0; i < 3; ++i)
        saveAfter(1000);
    EXPECT_EQ(captions(), (std::vector<std::string>{"FILFEL", "FELMEDDELANDE"}));
    EXPECT_EQ(readFile("ysave.dab/keep"), "x");
    EXPECT_FALSE(exists(texts::stateTempFileName));
}

TEST_F(StateFileFaults, DirectoryInPlaceOfTheTemporaryFile)
{
    std::filesystem::create_directory(texts::stateTempFileName);
    saveAfter(1000);
    saveAfter(1000);
    EXPECT_EQ(fakeHost.messages.size(), 1u);
    EXPECT_EQ(readFile(texts::stateFileName), storedState);
    EXPECT_TRUE(std::filesystem::is_directory(texts::stateTempFileName));
}

TEST_F(StateFileFaults, ReadOnlyFileIsReportedNotFoundAndCannotBeSaved)
{
    if (!makeUnwritable(texts::stateFileName))
        GTEST_SKIP() << "this file system cannot make a file unwritable";
    restart();
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::stateNotFoundMessage);
    fakeHost.messages.clear();
    saveAfter(1000);
    saveAfter(1000);
    expectToldOnce();
    expectUntouched();
}

TEST_F(StateFileFaults, ReadOnlyFileKeepsItsTotalsForALaterSave)
{
    if (!makeUnwritable(texts::stateFileName))
        GTEST_SKIP() << "this file system cannot make a file unwritable";
    restart();
    EXPECT_EQ(stateFile.startupCount, 57) << "the stored values are read all the same";
    EXPECT_EQ(clockState.savedHours, 312);

    // Made writable again during the run: the next save carries the totals on.
    makeWritable(texts::stateFileName);
    saveAfter(10'000);
    EXPECT_EQ(readFile(texts::stateFileName).substr(0, 61),
              "57   =Uppstarter\n312   =Timmar totalt\n05   =Minuter totalt\n58");
}

TEST_F(StateFileFaults, FailureBetweenWritingAndReplacing)
{
    fakeHost.flushFails = true;
    saveAfter(1000);
    expectUntouched();
    fakeHost.flushFails = false;
    fakeHost.replaceFails = true;
    saveAfter(1000);
    expectUntouched();
    expectToldOnce();
}

TEST_F(StateFileFaults, NoSecondBoxOfTheKindWhileOneIsOpen)
{
    fakeHost.replaceFails = true;
    // The box's own message loop runs more saves: one succeeds, the next
    // fails again while the first box is still open.
    fakeHost.whileMessageBoxOpen = [this] {
        fakeHost.whileMessageBoxOpen = nullptr;
        fakeHost.replaceFails = false;
        saveAfter(1000);
        fakeHost.replaceFails = true;
        saveAfter(1000);
    };
    saveAfter(1000);
    EXPECT_EQ(fakeHost.messages.size(), 1u);
    saveAfter(1000);
    EXPECT_EQ(fakeHost.messages.size(), 2u) << "the box is closed and this failure is new";
}

TEST_F(StateFileFaults, TemporaryFilesLeftByACrashAreRemovedAtStartUp)
{
    writeFile(texts::stateTempFileName, "57   =Uppst");
    writeFile(texts::historyTempFileName, "HISTORIA\n");
    removeLeftoverTempFiles();
    EXPECT_FALSE(exists(texts::stateTempFileName));
    EXPECT_FALSE(exists(texts::historyTempFileName));
    EXPECT_EQ(readFile(texts::stateFileName), storedState);
}

}  // namespace
