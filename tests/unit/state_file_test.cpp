// ysave.dab on real files: what loadState takes from it, the bytes saveState
// writes, and that no failure ever costs the file written before.

#include <gmock/gmock.h>

#include <filesystem>

#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/persistence_texts.h"

namespace texts = persistence_texts;
using data_file_format::stateFileName;
using data_file_format::stateTempFileName;
using ::testing::ElementsAre;
using Box = FakeHost::Message;

namespace {

const std::string storedState = sampleState();

class StateFile : public PersistenceTest {
protected:
    void SetUp() override
    {
        PersistenceTest::SetUp();
        writeFile(data_file_format::logFileName, "");
    }
    // A save as the log writer makes it, `ms` into the run.
    static void saveAfter(std::uint64_t ms)
    {
        runFor(ms);
        saveState();
    }
    // A save a second on, with the seam's file call `failing` failing from
    // now on (none for "").
    static void saveFailing(const std::string& failing)
    {
        fakeHost.fileCallFails = [failing](const char* call, const char*, std::FILE*) {
            return failing == call;
        };
        saveAfter(1000);
    }
    // Starts up over `state` and returns the saved totals and counts.
    static std::string loaded(const std::string& state)
    {
        writeFile(stateFileName, state);
        startUp();
        const auto text = [](std::int32_t number) { return std::to_string(number); };
        return text(stateFile.startupCount) + " " + text(clockState.savedHours) + ":" +
               text(clockState.savedMinutes) + ":" + text(clockState.savedSeconds) + " " +
               text(stateFile.savedAppTotal) + " " + stateFile.maxLogSizeText;
    }
};

TEST_F(StateFile, StoredValuesComeBackOneStartUpLaterAndANewInstallStartsQuietly)
{
    // Temporary files a crash left are removed at start-up.
    writeFile(stateTempFileName, "57   =Uppst");
    writeFile(data_file_format::historyTempFileName, "HISTORIA\n");
    EXPECT_EQ(loaded(storedState), "57 312:5:48 1200 4000000\n");
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_FALSE(exists(stateTempFileName));
    EXPECT_FALSE(exists(data_file_format::historyTempFileName));
    saveAfter(10'000);
    EXPECT_EQ(readFile(stateFileName),
              "57   =Uppstarter\n312   =Timmar totalt\n05   =Minuter totalt\n"
              "58   =Sekunder totalt\n1201   =Applikationer totalt\n4000000\n\nSlut\n");
    EXPECT_EQ(loaded(readFile(stateFileName)), "58 312:5:58 1201 4000000\n");
    EXPECT_TRUE(fakeHost.messages.empty());

    // A new install starts quietly with the program's own size setting.
    std::filesystem::remove(stateFileName);
    std::filesystem::remove(data_file_format::logFileName);
    startUp();
    EXPECT_TRUE(fakeHost.messages.empty());
    saveAfter(3'723'000);  // 1:02:03
    EXPECT_EQ(readFile(stateFileName),
              "1   =Uppstarter\n1   =Timmar totalt\n02   =Minuter totalt\n"
              "03   =Sekunder totalt\n1   =Applikationer totalt\n4000000\nSlut\n");

    // Gone while the log is still there: that is told, and the setting is
    // the cap again, never an empty one that would move the log each time.
    std::filesystem::remove(stateFileName);
    startUp();
    EXPECT_THAT(fakeHost.messages,
                ElementsAre(Box{texts::stateNotFoundMessage, "FILFEL", host::MessageIcon::none}));
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000");
}

TEST_F(StateFile, NumbersAndTheSizeSettingAreReadWholeWithinWhatTheCountersCanShow)
{
    const std::string head = storedState.substr(0, storedState.find("4000000\n"));
    // The size setting is capped and kept in the form it was read in.
    const std::pair<std::string, std::string> sizeSettings[] = {
        {"5000000\n\nSlut\n", "4000000\n\nSlut\n"},
        // Eight characters leave their line end to the final read: no line 7.
        {"12345678\nSlut\n", "4000000\nSlut\n"},
        {"00001000\nSlut\n", "00001000\nSlut\n"},
        // Text or a negative number is no setting (it would move the log at
        // every start-up); 0 is the user's choice.
        {"abc\n\nSlut\n", "4000000\nSlut\n"},
        {"-17\n\nSlut\n", "4000000\nSlut\n"},
        {"0\n\nSlut\n", "0\n\nSlut\n"},
    };
    for (const auto& [tail, writtenTail] : sizeSettings) {
        loaded(head + tail);
        EXPECT_TRUE(fakeHost.messages.empty()) << tail;
        saveAfter(0);
        EXPECT_EQ(readFile(stateFileName).substr(head.size()), writtenTail) << tail;
    }
    const std::pair<std::string, std::string> cases[] = {
        // A bare number on line 1 takes nothing from line 2.
        {"56\n312\n05\n48\n1200\n4000000\n\nSlut\n", "57 312:5:48 1200 4000000\n"},
        // Blanks (a tab too) and a sign come before digits; nine digits count.
        {"99999999 =U\n1234567 =T\n\t7 =M\n+59 =S\n  123456789x =A\n\n\nSlut\n",
         "100000000 1234567:7:59 123456789 4000000"},
        // Too many digits saturate (2^64 + 1 does not wrap to 1); the rest is
        // clamped into range.
        {"-5\n-7\n99\n-1\n18446744073709551617\n4000000\n\nSlut\n",
         "1 0:59:0 2147483646 4000000\n"},
    };
    for (const auto& [state, expected] : cases)
        EXPECT_EQ(loaded(state), expected) << state;
    saveAfter(3'599'000);  // 0:59:00 saved and 0:59:59 run
    EXPECT_THAT(readFile(stateFileName),
                ::testing::StartsWith("1   =Uppstarter\n1   =Timmar totalt\n58   =Min"));
}

TEST_F(StateFile, UnreadableFileIsToldAndKeptAsideBeforeTheFirstSave)
{
    std::string utf16 = "\xFF\xFE";
    for (char c : storedState.substr(0, 40))
        utf16 += std::string{c, '\0'};
    const std::string endsAfterLine6 = storedState.substr(0, storedState.find("\nSlut"));
    const std::string forms[] = {
        endsAfterLine6, utf16, "\xEF\xBB\xBF" + storedState,
        std::string(storedState).insert(20, 1, '\0'),
        "56   =Uppstarter\r312   =Timmar totalt\r05\r48\r1200\r4000000\rSlut\r"};
    for (const std::string& form : forms) {
        std::filesystem::remove("ysave.old");
        loaded(form);
        EXPECT_THAT(fakeHost.messages,
                    ElementsAre(Box{std::string(texts::stateUnreadableMessage) +
                                        "\nDen gamla filen beh\xE5lls som 'ysave.old'.",
                                    "FILFEL", host::MessageIcon::error}))
            << form;
        saveAfter(1000);
        EXPECT_EQ(readFile("ysave.old"), form) << "its bytes stay as they were";
    }
    // What could be read of a short file is used; a second kept file does
    // not overwrite the first.
    EXPECT_EQ(loaded(endsAfterLine6), "57 312:5:48 1200 4000000\n");
    EXPECT_EQ(loaded(storedState.substr(0, storedState.find("48 "))), "57 312:5:0 0 4000000");
    EXPECT_EQ(readFile("ysave1.old"), endsAfterLine6);
    EXPECT_EQ(readFile("ysave2.old"), storedState.substr(0, storedState.find("48 ")));

    // With ysave.old to ysave9.old taken the count goes on, and the saves
    // that follow are not held up.
    for (int n = 3; n <= 9; ++n)
        writeFile(("ysave" + std::to_string(n) + ".old").c_str(), "kept");
    loaded(utf16);
    EXPECT_EQ(fakeHost.messages.at(0).text, std::string(texts::stateUnreadableMessage) +
                                                "\nDen gamla filen beh\xE5lls som 'ysave10.old'.");
    EXPECT_EQ(readFile("ysave10.old"), utf16);
    saveAfter(1000);
    EXPECT_THAT(readFile(stateFileName), ::testing::StartsWith("1   =Uppstarter\n"));

    // An empty file has nothing to keep.
    loaded("");
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::stateUnreadableMessage);
}

TEST_F(StateFile, ReadOnlyFileIsToldAndKeepsItsTotalsForALaterSave)
{
    writeFile(stateFileName, storedState);
    if (!setReadOnly(stateFileName))
        GTEST_SKIP() << "this file system cannot make a file unwritable";
    startUp();
    EXPECT_EQ(fakeHost.messages.at(0).text, texts::stateNotFoundMessage);
    saveAfter(1000);
    saveAfter(1000);
    EXPECT_THAT(fakeHost.messages, ElementsAre(::testing::Field(&Box::caption, "FILFEL"),
                                               ::testing::Field(&Box::caption, "FELMEDDELANDE")));
    EXPECT_EQ(readFile(stateFileName), storedState);

    // Made writable again during the run: the next save carries the totals on.
    setReadOnly(stateFileName, false);
    saveAfter(8000);
    EXPECT_EQ(readFile(stateFileName).substr(0, 61),
              "57   =Uppstarter\n312   =Timmar totalt\n05   =Minuter totalt\n58");
}

// A save that fails keeps the file saved before, leaves no temporary file,
// and is told once until a save succeeds again.
TEST_F(StateFile, FailedSavesKeepTheOldFileAndAreToldOnce)
{
    loaded(storedState);
    saveFailing("replaceFile");
    saveFailing("flushFileToDisk");
    EXPECT_EQ(readFile(stateFileName), storedState);
    EXPECT_FALSE(exists(stateTempFileName));
    EXPECT_THAT(fakeHost.messages, ElementsAre(Box{texts::stateNotWrittenMessage, "FELMEDDELANDE",
                                                   host::MessageIcon::error}));
    EXPECT_EQ(stateFile.appCount, 2) << "every run of the log writer still counts";

    saveFailing("");
    EXPECT_THAT(readFile(stateFileName), ::testing::HasSubstr("1203   =Applikationer"));
    saveFailing("replaceFile");
    EXPECT_EQ(fakeHost.messages.size(), 2u) << "a new failure after a success is news";

    // The box's own message loop runs more saves: one succeeds, the next
    // fails again while the first box is still open.
    fakeHost.whileMessageBoxOpen = [] {
        saveFailing("");
        saveFailing("replaceFile");
    };
    saveFailing("");
    saveFailing("replaceFile");
    EXPECT_EQ(fakeHost.messages.size(), 3u) << "no second box of the kind while one is open";
    fakeHost.whileMessageBoxOpen = nullptr;
    saveAfter(1000);
    EXPECT_EQ(fakeHost.messages.size(), 4u) << "the box is closed and this failure is new";

    // A full disk fails the content, not the file: the box says so.
    saveFailing("");
    saveFailing("flushFileToDisk");
    ASSERT_EQ(fakeHost.messages.size(), 5u);
    EXPECT_THAT(fakeHost.messages[4], ::testing::Field(&Box::text, texts::stateNotWritableMessage));
}

}  // namespace
