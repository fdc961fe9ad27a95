#pragma once
// Every text of the companion programs that a user or another program sees:
// the log reader, the statistics, the about box and the report tool.

namespace companion_texts {

// Data files in the working directory.
constexpr const char* stateFileName = "ysave.dab";
constexpr const char* logFileName = "ytime.dab";
constexpr const char* historyFileName = "yhist.dab";

constexpr const char* productName = "Uravik";
constexpr const char* iconName = "URAVIK";

// Durations, counts and the tables.
constexpr const char* startupsLabel = "Uppstarter";
constexpr const char* longestRunLabel = "Längsta körning";
constexpr const char* averageRunLabel = "Genomsnittlig körning";
constexpr const char* runningTimeLabel = "Drifttid i loggen";
constexpr const char* latestTotalLabel = "Drifttid totalt";
constexpr const char* onlineTimeLabel = "Tid uppkopplad";
constexpr const char* beforeStartLabel = "Från Windows start till Uravik";
constexpr const char* recordsLabel = "Poster";
constexpr const char* rawLinesLabel = "Oläsbara rader";
constexpr const char* titleTableHeading = "Tid per fönster";
constexpr const char* dayTableHeading = "Tid per dag, senaste 30 dagarna";
constexpr const char* titleColumn = "Fönster";
constexpr const char* timeColumn = "Tid";
constexpr const char* shareColumn = "Andel";
constexpr const char* periodsColumn = "Antal";
constexpr const char* noData = "Inga poster";

// CSV header: title, time, seconds, share, number of periods.
constexpr const char* csvHeader = "Fönster;Tid;Sekunder;Andel (%);Antal";

// uvreport, the command-line report.
constexpr const char* reportUsage =
    "Användning: uvreport [--csv] [--top N] [--today ÅÅÅÅ-MM-DD] [FIL ...]\n"
    "Skriver statistiken över tidlistan som text (Windows-1252).\n"
    "Utan FIL läses ytime.dab och yhist.dab i arbetsmappen.\n";
constexpr const char* reportCannotRead = "uvreport: kan inte läsa ";
constexpr const char* reportBadOption = "uvreport: okänt val ";
constexpr const char* reportHeading = "Statistik för Uravik";
constexpr const char* reportMoreTitles = "fler fönster";

// uvreader, the log reader ("Tidlista").
constexpr const char* readerClass = "UravikTidlista";
constexpr const char* readerTitle = "Tidlista - ";
constexpr const char* readerFilterLabel = "Filter:";
constexpr const char* readerHistoryCheck = "Visa historik (yhist.dab)";
constexpr const char* readerNumberColumn = "Nr";
constexpr const char* readerRunColumn = "Körtid";
constexpr const char* readerTotalColumn = "Drifttid totalt";
constexpr const char* readerClockColumn = "Klockan";
constexpr const char* readerPeriodColumn = "Period";
constexpr const char* readerOnlineColumn = "Uppkopplad";
constexpr const char* readerTitleColumn = "Fönster";
constexpr const char* readerOnlineMark = "*";
constexpr const char* readerStartupHeading = "Uppstart nr ";
constexpr const char* readerHistoryHeading = "HISTORIA (yhist.dab)";
constexpr const char* readerLogHeading = "TIDLISTA ";
constexpr const char* readerStatusRows = " rader";
constexpr const char* readerStatusOf = " av ";
constexpr const char* readerStatusSeparator = "   ·   ";
constexpr const char* readerStatusStartups = " uppstarter";
constexpr const char* readerStatusRaw = " oläsbara rader";
constexpr const char* readerStatusMissing = "Filen finns inte (ännu): ";
constexpr const char* readerStatusFollowing = "följer filen";

// uvstat, the statistics ("Statistik").
constexpr const char* statClass = "UravikStatistik";
constexpr const char* statTitle = "Statistik - Uravik";
constexpr const char* statCopyButton = "Kopiera CSV";
constexpr const char* statSaveButton = "Spara CSV...";
constexpr const char* statRefreshButton = "Uppdatera";
constexpr const char* statCloseButton = "Stäng";
constexpr const char* statBarChartHeading = "Mest använda fönster";
constexpr const char* statDayChartHeading = "Drifttid per dag, senaste 30 dagarna";
constexpr const char* statHoursUnit = " h";
constexpr const char* statSaveFilter = "CSV-filer (*.csv)\0*.csv\0Alla filer (*.*)\0*.*\0";
constexpr const char* statSaveDefaultName = "uvstat.csv";
constexpr const char* statSaveFailed = "Kunde inte spara filen ";
constexpr const char* statErrorCaption = "FELMEDDELANDE";

// aboutuv, the about box ("Om").
constexpr const char* aboutClass = "UravikOm";
constexpr const char* aboutTitle = "Om Uravik";
constexpr const char* aboutDescription = "Håller räkning på datorns drifttid och fönster.";
constexpr const char* aboutVersionLabel = "Version ";
constexpr const char* aboutFolderLabel = "Arbetsmapp:";
constexpr const char* aboutFilesLabel = "Datafiler:";
constexpr const char* aboutBytes = " byte";
constexpr const char* aboutMissing = "saknas";
constexpr const char* aboutOkButton = "OK";

}  // namespace companion_texts
