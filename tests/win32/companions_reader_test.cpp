// The log reader's window under Wine: a 4 MB log opens at once, the filter,
// the history and a log that grows while it is open.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "companions/engine/log_format.h"
#include "companions/reader/reader_window_win32.h"
#include "companions/testing/sample_log.h"
#include "companions/testing/win32_test_support.h"
#include "companions/win32/companion_app_win32.h"

namespace {

using companion_test::listCellText;
using companion_test::listCount;

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

    companion_test::TemporaryWorkingDirectory directory;
    HWND window = nullptr;
};

std::string recordLine(std::uint64_t number, const std::string& title)
{
    return uvlog::sampleRecordLine(number, number * 60, 3600 + number * 60, 8 * 3600, 60, false,
                                   title);
}

TEST_F(Reader, AFourMegabyteLogShowsItsFirstScreenAtOnce)
{
    uvlog::SampleLogPlan plan;
    plan.runs = 100;
    plan.recordsPerRun = 250;
    const std::string log = uvlog::makeSampleLog(plan);
    directory.write("ytime.dab", log);

    const auto start = std::chrono::steady_clock::now();
    open();  // returns once the first paint is done
    const auto shown = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(shown - start).count();
    std::printf("uvreader: first screen of a %.2f MB log (%d rows) in %.0f ms\n", log.size() / 1e6,
                listCount(readerState.list), ms);
    EXPECT_LT(ms, 5000.0) << "far beyond the 1 s aim";

    EXPECT_EQ(listCount(readerState.list), 100 + 100 * 250);
    EXPECT_TRUE(lastRowInView()) << "the newest records are in view";
    EXPECT_EQ(listCellText(readerState.list, 0, 0).substr(0, 15), "Uppstart nr 1  ");
    EXPECT_EQ(listCellText(readerState.list, 1, 8), "WINDOWS");
    EXPECT_EQ(listCellText(readerState.list, 1, 0), "1");
    EXPECT_EQ(status().substr(0, 12), "25 100 rader");
}

TEST_F(Reader, TheFilterKeepsMatchingRowsUnderTheirRuns)
{
    directory.write("ytime.dab",
                    uvlog::sampleHeaderLines({2024, 3, 7}, 8 * 3600, 57) +
                        recordLine(1, "WINDOWS") + "\r\n" + recordLine(2, "Kalkyl - budget") +
                        "\r\n" + recordLine(3, "Anteckningar") + "\r\n" +
                        uvlog::sampleHeaderLines({2024, 3, 8}, 8 * 3600, 58) +
                        recordLine(1, "WINDOWS") + "\r\n" + recordLine(2, "Anteckningar") + "\r\n");
    open();
    EXPECT_EQ(listCount(readerState.list), 7);

    SetWindowTextA(readerState.filterEdit, "KALKYL");
    EXPECT_EQ(listCount(readerState.list), 2);
    EXPECT_EQ(listCellText(readerState.list, 0, 0), "Uppstart nr 57   2024-03-07 08:00:00");
    EXPECT_EQ(listCellText(readerState.list, 1, 8), "Kalkyl - budget");
    EXPECT_NE(status().find("2 av 7 rader"), std::string::npos) << status();

    SetWindowTextA(readerState.filterEdit, "");
    EXPECT_EQ(listCount(readerState.list), 7);
}

TEST_F(Reader, TheHistoryComesFirstAndCanBeHidden)
{
    directory.write("yhist.dab", "HISTORIA\r\n" +
                                     uvlog::sampleHeaderLines({2024, 3, 1}, 8 * 3600, 56) +
                                     recordLine(1, "WINDOWS") + "\r\n");
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 7}, 8 * 3600, 57) +
                                     recordLine(1, "WINDOWS") + "\r\n");
    open();
    ASSERT_EQ(listCount(readerState.list), 6);
    EXPECT_EQ(listCellText(readerState.list, 0, 0), "HISTORIA (yhist.dab)");
    EXPECT_EQ(listCellText(readerState.list, 3, 0), "TIDLISTA (ytime.dab)");

    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(listCount(readerState.list), 2);
    SendMessageA(readerState.historyBox, BM_CLICK, 0, 0);
    EXPECT_EQ(listCount(readerState.list), 6);
}

TEST_F(Reader, ItOpensTheHistoryByNameToo)
{
    directory.write("yhist.dab", "HISTORIA\r\n" +
                                     uvlog::sampleHeaderLines({2024, 3, 1}, 8 * 3600, 56) +
                                     recordLine(1, "WINDOWS") + "\r\n");
    open("yhist.dab");
    EXPECT_EQ(listCount(readerState.list), 3);
    EXPECT_FALSE(IsWindowEnabled(readerState.historyBox));
}

TEST_F(Reader, ItFollowsALogThatGrowsAndShowsTornLinesAsText)
{
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 7}, 8 * 3600, 57) +
                                     recordLine(1, "WINDOWS") + "\r\n");
    open();
    ASSERT_EQ(listCount(readerState.list), 2);

    const std::string next = recordLine(2, "Namnl\xF6s - Anteckningar") + "\r\n";
    directory.write("ytime.dab", next.substr(0, 40), true);
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 3);
    EXPECT_EQ(listCellText(readerState.list, 2, 0), next.substr(0, 40)) << "shown as it stands";

    directory.write("ytime.dab", next.substr(40), true);
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 3);
    EXPECT_EQ(listCellText(readerState.list, 2, 8), "Namnl\xF6s - Anteckningar");
    EXPECT_TRUE(lastRowInView());

    // Moved into the history at a start-up: the log starts again.
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 8}, 8 * 3600, 58));
    followLogFiles();
    EXPECT_EQ(listCount(readerState.list), 1);
    EXPECT_NE(status().find("1 uppstart   "), std::string::npos) << status();

    // Replaced by a larger file with other content, as when a backup is put back.
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 2, 1}, 9 * 3600, 12) +
                                     recordLine(1, "WINDOWS") + "\r\n" + recordLine(2, "Tillbaka") +
                                     "\r\n");
    followLogFiles();
    ASSERT_EQ(listCount(readerState.list), 3);
    EXPECT_EQ(listCellText(readerState.list, 0, 0).substr(0, 15), "Uppstart nr 12 ");
    EXPECT_EQ(listCellText(readerState.list, 2, 1), "2024-02-01");
    EXPECT_EQ(listCellText(readerState.list, 2, 3), "09:02:00");
}

TEST_F(Reader, AMissingLogIsWaitedFor)
{
    open();
    EXPECT_EQ(listCount(readerState.list), 0);
    EXPECT_NE(status().find("ytime.dab"), std::string::npos);
    directory.write("ytime.dab", uvlog::sampleHeaderLines({2024, 3, 8}, 8 * 3600, 58));
    followLogFiles();
    EXPECT_EQ(listCount(readerState.list), 1);
}

}  // namespace
