// The log reader's rows: what the table lists, with and without a filter,
// and what each cell shows.

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "companions/engine/log_format.h"
#include "companions/engine/log_rows.h"
#include "companions/testing/sample_log.h"

namespace {

using uvlog::sampleRun;

// Every row the filter keeps, each as its cells from left to right joined by '|'.
std::vector<std::string> tableOf(const uvlog::RowSources& sources, const std::string& filter)
{
    std::vector<std::string> rows;
    for (const uvlog::LogRow& row : uvlog::buildRows(sources, uvlog::foldCase(filter))) {
        std::string cells = uvlog::cellText(sources, row, uvlog::ReaderColumn::number);
        for (int column = 1; column < uvlog::readerColumnCount; ++column)
            cells += '|' + uvlog::cellText(sources, row, static_cast<uvlog::ReaderColumn>(column));
        rows.push_back(cells);
    }
    return rows;
}

class ReaderRows : public ::testing::Test {
protected:
    // Run 58's records give clock times its start does not reckon: the cells
    // show what the record gives.
    uvlog::ParsedLog history = uvlog::parseLog(
        "HISTORIA\r\n" + sampleRun({2024, 3, 1}, 8 * 3600 + 5 * 60 + 9, 56,
                                   {{10, 10, "WINDOWS"}, {20, 10, "Gammal kalkyl"}}));
    uvlog::ParsedLog log = uvlog::parseLog(
        sampleRun({2024, 3, 7}, 8 * 3600 + 5 * 60 + 9, 57,
                  {{10, 10, "WINDOWS"}, {20, 10, "\xC5rets rapport", true}}) +
        "trasig rad\r\n" +
        sampleRun({2024, 3, 8}, 9 * 3600, 58,
                  {{10, 10, "WINDOWS", false, 29119}, {20, 10, "Kalkyl", false, 29129}}));
    uvlog::RowSources sources{&history, &log, "ytime.dab"};

    // Each row by its name: a record's or away period's title, else the
    // first column, which names headings and raw lines whole.
    std::vector<std::string> firstCells(const std::string& filter)
    {
        std::vector<std::string> cells;
        for (const std::string& row : tableOf(sources, filter))
            cells.push_back(row.back() == '|' ? row.substr(0, row.find('|'))
                                              : row.substr(row.rfind('|') + 1));
        return cells;
    }
};

TEST_F(ReaderRows, WithoutAFilterEveryLineIsARowWithTheHistoryFirstAndDatedFromItsRun)
{
    // The cells show a record's fields as the log writes them; a heading
    // or raw line is named whole in the first column.
    EXPECT_EQ(tableOf(sources, ""),
              (std::vector<std::string>{
                  "HISTORIA (yhist.dab)||||||||", "Uppstart nr 56   2024-03-01 08:05:09||||||||",
                  "1|2024-03-01|08:05:09|08:05:19|0:00:10|0:00:10|0:16:50||WINDOWS",
                  "2|2024-03-01|08:05:19|08:05:29|0:00:10|0:00:20|0:17:00||Gammal kalkyl",
                  "TIDLISTA (ytime.dab)||||||||", "Uppstart nr 57   2024-03-07 08:05:09||||||||",
                  "1|2024-03-07|08:05:09|08:05:19|0:00:10|0:00:10|0:16:50||WINDOWS",
                  "2|2024-03-07|08:05:19|08:05:29|0:00:10|0:00:20|0:17:00|*|\xC5rets rapport",
                  "trasig rad||||||||", "Uppstart nr 58   2024-03-08 09:00:00||||||||",
                  "1|2024-03-08|08:05:09|08:05:19|0:00:10|0:00:10|0:16:50||WINDOWS",
                  "2|2024-03-08|08:05:19|08:05:29|0:00:10|0:00:20|0:17:00||Kalkyl"}));

    // Records are dated from their run across midnight and the year's end:
    // run 1 starts 2023-12-31 23:59:50; the record before it has no header
    // to count from, so no date, only the clock it gives.
    sources.history = nullptr;
    log = uvlog::parseLog(
        uvlog::sampleRecordLine(1, 0, 0, 3600, 30, false, "utan rubrik") + "\r\n" +
        sampleRun({2023, 12, 31}, 86390, 1,
                  {{5, 100, "WINDOWS"}, {20, 15, "A"}, {86400 + 40, 86400, "B"}}, 0));
    EXPECT_EQ(tableOf(sources, ""),
              (std::vector<std::string>{
                  "1||00:59:30|01:00:00|0:00:30|0:00:00|0:00:00||utan rubrik",
                  "Uppstart nr 1   2023-12-31 23:59:50||||||||",
                  "1|2023-12-31|23:58:15|23:59:55|0:01:40|0:00:05|0:00:05||WINDOWS",
                  "2|2024-01-01|2023-12-31 23:59:55|00:00:10|0:00:15|0:00:20|0:00:20||A",
                  "3|2024-01-02|2024-01-01 00:00:30|00:00:30|24:00:00|24:00:40|24:00:40||B"}));
}

TEST_F(ReaderRows, EachAwayPeriodComesInTimeOrderBetweenTheRecords)
{
    // In the file's order, which need not be time's.
    const uvlog::AwayPeriods away = uvlog::parseAwayPeriods(
        "2024-03-07 23:00:00  2024-03-08 07:00:00  vila\r\n"
        "2024-03-07 08:05:20  2024-03-07 08:05:25  l\xE5st\r\n");
    sources.away = &away;
    sources.history = nullptr;
    EXPECT_EQ(firstCells(""),
              (std::vector<std::string>{"Uppstart nr 57   2024-03-07 08:05:09", "WINDOWS",
                                        "(borta) l\xE5st", "\xC5rets rapport", "trasig rad",
                                        "(borta) vila", "Uppstart nr 58   2024-03-08 09:00:00",
                                        "WINDOWS", "Kalkyl"}));
    EXPECT_EQ(tableOf(sources, "vila"),
              (std::vector<std::string>{
                  "|2024-03-08|2024-03-07 23:00:00|07:00:00|8:00:00||||(borta) vila"}));
}

TEST_F(ReaderRows, AFilterKeepsMatchingRowsUnderTheirHeadingsAndNeverFindsHiddenTitles)
{
    EXPECT_EQ(firstCells("KALKYL"),
              (std::vector<std::string>{
                  "HISTORIA (yhist.dab)", "Uppstart nr 56   2024-03-01 08:05:09", "Gammal kalkyl",
                  "TIDLISTA (ytime.dab)", "Uppstart nr 58   2024-03-08 09:00:00", "Kalkyl"}));
    EXPECT_EQ(
        firstCells("2024-03-08"),
        (std::vector<std::string>{"TIDLISTA (ytime.dab)", "Uppstart nr 58   2024-03-08 09:00:00"}))
        << "a heading line that matches shows by itself";
    EXPECT_TRUE(firstCells("finns inte").empty());

    const uvlog::PrivacyList privacy = uvlog::parsePrivacyList("*rapport*\r\n");
    sources.privacy = &privacy;
    EXPECT_TRUE(firstCells("rapport").empty()) << "a hidden title cannot be found";
    EXPECT_EQ(firstCells("dolt"),
              (std::vector<std::string>{"TIDLISTA (ytime.dab)",
                                        "Uppstart nr 57   2024-03-07 08:05:09", "(dolt)"}));

    log = uvlog::parseLog("WINDOWS START=  2024-13-40\r\n");
    EXPECT_EQ(
        firstCells("2024"),
        (std::vector<std::string>{"HISTORIA (yhist.dab)", "Uppstart nr 56   2024-03-01 08:05:09",
                                  "TIDLISTA (ytime.dab)", "WINDOWS START=  2024-13-40"}))
        << "a damaged heading shows its own line";
}

}  // namespace
