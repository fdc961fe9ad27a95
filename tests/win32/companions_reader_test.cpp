// The log reader's window under Wine: a 4 MB log, the filter,
// the history and a log that grows while it is open.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "companions/reader/reader_window_win32.h"
#include "companions/testing/sample_log.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"

namespace {

using companion_test::listCellText;
using companion_test::listCount;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class Reader : public ::testing::Test {
protected:
    void SetUp() override
    {
        companion::initCommonControls();
        readerState = ReaderState{};
        ASSERT_TRUE(registerReaderClass(GetModuleHandleA(nullptr)));
    }
    void TearDown() override
    {
        companion_test::closeWindow(window);
        UnregisterClassA("UravikTidlista", GetModuleHandleA(nullptr));
    }
    void open(const char* path = "ytime.dab")
    {
        companion_test::closeWindow(window);
        window = createReaderWindow(GetModuleHandleA(nullptr), path, SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
    }
    bool lastRowInView() const
    {
        const int top = static_cast<int>(SendMessageA(readerState.list, LVM_GETTOPINDEX, 0, 0));
        const int page =
            static_cast<int>(SendMessageA(readerState.list, LVM_GETCOUNTPERPAGE, 0, 0));
        return top + page >= listCount(readerState.list);
    }
    std::string status() const { return companion::windowText(readerState.status); }
    std::string cell(int row, int column) const
    {
        return listCellText(readerState.list, row, column);
    }

    companion_test::TemporaryWorkingDirectory directory;
    HWND window = nullptr;
};

std::string record(std::uint64_t number, const char* title)
{
    return uvlog::sampleRecordLine(number, number * 60, 3600 + number * 60,
                                   static_cast<std::uint32_t>(8 * 3600 + number * 60), 60, false,
                                   title) +
           "\r\n";
}

// A run's header at 08:00 and its records, a minute apart.
std::string run(uvlog::CalendarDate date, std::uint64_t startup,
                std::initializer_list<const char*> titles)
{
    std::string text = uvlog::sampleHeaderLines(date, 8 * 3600, startup);
    std::uint64_t number = 0;
    for (const char* title : titles)
        text += record(++number, title);
    return text;
}

TEST_F(Reader, AFourMegabyteLogOpensWithItsNewestRecordsInView)
{
    uvlog::SampleLogPlan plan;
    plan.runs = 100;
    plan.recordsPerRun = 250;
    const std::string log = uvlog::makeSampleLog(plan);
    directory.write("ytime.dab", log);

    open();

    EXPECT_EQ(listCount(readerState.list), 100 + 100 * 250);
    EXPECT_TRUE(lastRowInView()) << "the newest records are in view";
    EXPECT_EQ(cell(1, 8), "WINDOWS");
    EXPECT_THAT(status(), StartsWith("25 100 rader"));
}

TEST_F(Reader, TheHistoryComesFirstCanBeHiddenAndOpensByNameAndTheFilterKeepsRowsUnderTheirRuns)
{
    directory.write("yhist.dab", "HISTORIA\r\n" + run({2024, 3, 1}, 56, {"WINDOWS"}));
    directory.write("ytime.dab",
                    run({2024, 3, 7}, 57, {"WINDOWS", "Kalkyl - budget", "Anteckningar"}) +
                        run({2024, 3, 8}, 58, {"WINDOWS", "Anteckningar"}));
    open();
    ASSERT_EQ(listCount(readerState.list), 11);
    EXPECT_EQ(cell(0, 0), "HISTORIA (yhist.dab)");
    EXPECT_EQ(cell(3, 0), "TIDLISTA (ytime.dab)");
    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(listCount(readerState.list), 7);
    SetWindowTextA(readerState.filterEdit, "KALKYL");
    EXPECT_EQ(listCount(readerState.list), 2);
    EXPECT_EQ(cell(1, 8), "Kalkyl - budget");
    EXPECT_THAT(status(), HasSubstr("2 av 7 rader"));
    SetWindowTextA(readerState.filterEdit, "");
    EXPECT_EQ(listCount(readerState.list), 7);
    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(listCount(readerState.list), 11);

    open("yhist.dab");
    EXPECT_EQ(listCount(readerState.list), 3);
    EXPECT_FALSE(IsWindowEnabled(readerState.historyBox));
}

TEST_F(Reader, ItWaitsForTheLogFollowsItsGrowthAndShowsTornLinesAsText)
{
    open();
    EXPECT_EQ(listCount(readerState.list), 0);
    EXPECT_THAT(status(), HasSubstr("ytime.dab"));
    directory.write("ytime.dab", run({2024, 3, 7}, 57, {"WINDOWS"}));
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 2);

    const std::string next = record(2, "Namnl\xF6s - Anteckningar");
    directory.write("ytime.dab", next.substr(0, 30), true);
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 3);
    EXPECT_EQ(cell(2, 0), next.substr(0, 30)) << "shown as it stands";
    directory.write("ytime.dab", next.substr(30), true);
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 3);
    EXPECT_EQ(cell(2, 8), "Namnl\xF6s - Anteckningar");
    std::string more;
    for (std::uint64_t number = 3; number < 200; ++number)
        more += record(number, "Kalkylator");
    directory.write("ytime.dab", more, true);
    followLogFiles();
    EXPECT_TRUE(lastRowInView()) << "the growth scrolls the newest record into view";

    // Moved into the history at a start-up: the log starts again.
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 8}, 8 * 3600, 58));
    followLogFiles();
    EXPECT_EQ(listCount(readerState.list), 1);
    EXPECT_THAT(status(), HasSubstr("1 uppstart   "));
}

}  // namespace
