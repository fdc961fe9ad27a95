// Texts made from log values, the CSV export, the filter's case folding, the
// calendar and the chart arithmetic.

#include <gmock/gmock.h>

#include <string>

#include "companions/engine/calendar.h"
#include "companions/engine/chart_scale.h"
#include "companions/engine/log_format.h"

namespace {

TEST(LogFormat, SwedishValueTextsCsvFieldsAndTheFiltersCaseFolding)
{
    EXPECT_EQ(uvlog::durationText(0), "0:00:00");
    EXPECT_EQ(uvlog::durationText(312 * 3600 + 5 * 60 + 49), "312:05:49");
    EXPECT_EQ(uvlog::durationText(~std::uint64_t{0}), "5124095576030431:00:15");
    EXPECT_EQ(uvlog::clockText(8 * 3600 + 17 * 60 + 4), "08:17:04");
    EXPECT_EQ(uvlog::dateText({2024, 3, 7}), "2024-03-07");
    EXPECT_EQ(uvlog::groupedNumber(999), "999");
    EXPECT_EQ(uvlog::groupedNumber(4000000), "4 000 000");
    EXPECT_EQ(uvlog::countText(1, "uppstart", "uppstarter"), "1 uppstart");
    EXPECT_EQ(uvlog::countText(12345, "rad", "rader"), "12 345 rader");
    // Shares round to tenths with a decimal comma.
    EXPECT_EQ(uvlog::shareText(1, 3), "33,3 %");
    EXPECT_EQ(uvlog::shareText(5, 5), "100,0 %");
    EXPECT_EQ(uvlog::shareText(5, 0), "0,0 %");
    EXPECT_EQ(uvlog::shareText(~std::uint64_t{0}, ~std::uint64_t{0}), "100,0 %");
    EXPECT_EQ(uvlog::csvField("a;b"), "\"a;b\"");
    EXPECT_EQ(uvlog::csvField("s\xE4g \"hej\""), "\"s\xE4g \"\"hej\"\"\"");
    EXPECT_EQ(uvlog::csvField(" kant"), "\" kant\"");
    EXPECT_EQ(uvlog::csvField("=SUMMA(A1)"), "'=SUMMA(A1)");
    EXPECT_EQ(uvlog::csvField("@x;y"), "\"'@x;y\"");
    EXPECT_EQ(uvlog::csvField(""), "");
    // Windows-1252 texts made UTF-8 for the terminal, and folded for the
    // filter.
    EXPECT_EQ(uvlog::utf8FromWindows1252("f\xF6r \x80 \x81 ok"),
              "f\xC3\xB6r \xE2\x82\xAC \xEF\xBF\xBD ok");
    // The filter ignores the case of Swedish letters too.
    EXPECT_EQ(uvlog::foldCase("\xC5R \xC4R \xD6\xD6 \xC9 \xD7 \xDE \x8A ABC"),
              "\xE5r \xE4r \xF6\xF6 \xE9 \xD7 \xFE \x9A abc");
    const std::string needle = uvlog::foldCase("\xC5RETS");
    EXPECT_TRUE(uvlog::containsFolded("Rapport om \xE5rets f\xF6rs\xE4ljning", needle));
    EXPECT_TRUE(uvlog::containsFolded("anything", ""));
    EXPECT_FALSE(uvlog::containsFolded("\xE5re", needle));
    EXPECT_FALSE(uvlog::containsFolded("", "a"));
    EXPECT_TRUE(uvlog::containsFolded("xxAB", "ab"));
}

TEST(LogFormat, EveryTableAsCsvStartsWithNameTimeAndSeconds)
{
    uvlog::LogStatistics stats;
    stats.titles = {{"Inkorgen; E-post", 3600, 4}, {"?", 1200, 1}};
    stats.applications = {{"E-post", 4800, 5}};
    stats.categories = {{"=Arbete", 3600, 2}};
    stats.hours[8] = 1200;
    stats.windowSeconds = 4800;
    stats.rangeDays = {{{2024, 3, 7}, 90061}};
    const std::int64_t start = uvlog::momentOf({2023, 12, 31}, 23 * 3600);
    stats.runs = {{57, true, true, start, start + 7200, 7200, 3, 60, true, 191}, uvlog::RunRow{}};
    const struct {
        uvlog::Grouping grouping;
        const char* csv;
    } cases[] = {
        {uvlog::Grouping::title,
         "F\xF6nster ovanf\xF6r Uravik;Tid ovanf\xF6r;Sekunder;Andel (%);Perioder\r\n"
         "\"Inkorgen; E-post\";1:00:00;3600;75,0;4\r\n"
         "? (inget f\xF6nster ovanf\xF6r, eller f\xF6nster utan namn);0:20:00;1200;25,0;1\r\n"},
        {uvlog::Grouping::application,
         "Program ovanf\xF6r Uravik;Tid ovanf\xF6r;Sekunder;Andel (%);Perioder\r\n"
         "E-post;1:20:00;4800;100,0;5\r\n"},
        {uvlog::Grouping::category,
         "Kategori;Tid ovanf\xF6r;Sekunder;Andel (%);Perioder\r\n'=Arbete;1:00:00;3600;75,0;2\r\n"},
        {uvlog::Grouping::day, "Datum;Drifttid;Sekunder\r\n2024-03-07;25:01:01;90061\r\n"},
        {uvlog::Grouping::run,
         "Uppstart nr;Drifttid;Sekunder;Start;Sista post;Poster;Uppkopplad;Uppkopplad (sekunder);"
         "Fr\xE5n Windows start;Fr\xE5n Windows start (sekunder)\r\n"
         "57;2:00:00;7200;2023-12-31 23:00:00;2024-01-01 01:00:00;3;0:01:00;60;0:03:11;191\r\n"
         ";0:00:00;0;;;0;0:00:00;0;;\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(uvlog::tableCsv(stats, c.grouping), c.csv) << static_cast<int>(c.grouping);
    const std::string hours = uvlog::tableCsv(stats, uvlog::Grouping::hour);
    EXPECT_THAT(hours, ::testing::StartsWith(
                           "Timme;Tid ovanf\xF6r;Sekunder;Andel (%)\r\n00-01;0:00:00;0;0,0\r\n"));
    EXPECT_THAT(hours, ::testing::HasSubstr(
                           "\r\n07-08;0:00:00;0;0,0\r\n08-09;0:20:00;1200;25,0\r\n09-10;"));
}

TEST(CalendarAndChart, DayNumbersRoundTripBarsAreProportionalTheHourAxisHasNiceSteps)
{
    EXPECT_EQ(uvlog::daysFromCivil({1970, 1, 1}), 0);
    EXPECT_EQ(uvlog::daysFromCivil({2000, 3, 1}) - uvlog::daysFromCivil({2000, 2, 28}), 2);
    EXPECT_EQ(uvlog::daysFromCivil({1900, 3, 1}) - uvlog::daysFromCivil({1900, 2, 28}), 1);
    for (std::int64_t day = uvlog::daysFromCivil({1899, 12, 25});
         day < uvlog::daysFromCivil({2101, 1, 5}); ++day) {
        const uvlog::CalendarDate date = uvlog::civilFromDays(day);
        ASSERT_TRUE(uvlog::isValidDate(date) && uvlog::daysFromCivil(date) == day) << day;
    }
    EXPECT_TRUE(uvlog::isValidDate({2024, 2, 29}));
    EXPECT_FALSE(uvlog::isValidDate({2023, 2, 29}));
    EXPECT_FALSE(uvlog::isValidDate({2024, 4, 31}));
    EXPECT_FALSE(uvlog::isValidDate({2024, 0, 1}));
    const uvlog::DateRange week = uvlog::presetRange(uvlog::RangePreset::thisWeek, {2024, 3, 7});
    EXPECT_EQ(week.firstDay, uvlog::daysFromCivil({2024, 3, 4})) << "a week begins on Monday";

    // Chart bars are proportional.
    EXPECT_EQ(uvlog::scaledLength(50, 100, 300), 150);
    EXPECT_EQ(uvlog::scaledLength(100, 100, 300), 300);
    EXPECT_EQ(uvlog::scaledLength(1, 100000, 300), 1);
    EXPECT_EQ(uvlog::scaledLength(0, 100, 300), 0);
    EXPECT_EQ(uvlog::scaledLength(5, 0, 300), 0);
    EXPECT_EQ(uvlog::scaledLength(~std::uint64_t{0} / 2, ~std::uint64_t{0}, 300), 150);
    // The hour axis has at most six nice steps.
    using ::testing::_;
    using ::testing::FieldsAre;
    EXPECT_THAT(uvlog::hourAxis(0), FieldsAre(3600u, _));
    EXPECT_THAT(uvlog::hourAxis(1), FieldsAre(3600u, _));
    EXPECT_THAT(uvlog::hourAxis(5 * 3600), FieldsAre(_, 3600u));
    EXPECT_THAT(uvlog::hourAxis(24 * 3600), FieldsAre(24u * 3600, 4u * 3600));
    EXPECT_THAT(uvlog::hourAxis(7 * 3600 + 1), FieldsAre(8u * 3600, 2u * 3600));
    const uvlog::ChartAxis huge = uvlog::hourAxis(~std::uint64_t{0});
    EXPECT_LE(huge.topSeconds / huge.stepSeconds, 7u);
    EXPECT_GE(huge.topSeconds, ~std::uint64_t{0} / 2);
}

}  // namespace
