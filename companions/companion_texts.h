#pragma once
// Every text of the companion programs that a user or another program sees:
// the log reader, the statistics, the about box and the report tool.

namespace companion_texts {

constexpr const char* productName = "Uravik";
constexpr const char* iconName = "URAVIK";

// The file of title patterns the companions hide, beside the data files.
constexpr const char* privacyFileName = "uvdolt.txt";
constexpr const char* hiddenTitle = "(dolt)";
// The user's category rules beside the data files, and the category of a
// title that no rule matches.
constexpr const char* categoryFileName = "uvkategori.txt";
constexpr const char* otherCategory = "(övrigt)";
// The time nobody was at the computer, left out of the windows' time.
constexpr const char* awayRow = "(borta)";
// How the views show a record of no window or an untitled one.
constexpr const char* noTitleShown = "? (inget fönster ovanför, eller fönster utan namn)";

// Durations, counts and the tables. The log measures the window lying
// directly above Uravik's own window, not the window in use: every label
// says so.
constexpr const char* startupsLabel = "Uppstarter";
constexpr const char* longestRunLabel = "Längsta körning";
constexpr const char* averageRunLabel = "Genomsnittlig körning";
constexpr const char* runningTimeLabel = "Drifttid i perioden";
constexpr const char* latestTotalLabel = "Drifttid totalt";
constexpr const char* onlineTimeLabel = "Tid uppkopplad";
constexpr const char* beforeStartLabel = "Från Windows start, senaste körningen";
constexpr const char* recordsLabel = "Poster";
constexpr const char* rawLinesLabel = "Oläsbara rader";
constexpr const char* titleTableHeading = "Tid direkt ovanför Uravik, per fönster";
constexpr const char* applicationTableHeading = "Tid direkt ovanför Uravik, per program";
constexpr const char* categoryTableHeading = "Tid direkt ovanför Uravik, per kategori";
constexpr const char* dayTableHeading = "Drifttid per dag";
constexpr const char* hourTableHeading = "Tid direkt ovanför Uravik, per timme på dygnet";
constexpr const char* runTableHeading = "Körningar";
constexpr const char* dayChartCsvHeading = "Drifttid per dag, 30 dagar";
constexpr const char* titleColumn = "Fönster ovanför Uravik";
constexpr const char* applicationColumn = "Program ovanför Uravik";
constexpr const char* timeColumn = "Tid ovanför";
constexpr const char* shareColumn = "Andel";
constexpr const char* periodsColumn = "Perioder";
constexpr const char* categoryColumn = "Kategori";
constexpr const char* dateColumn = "Datum";
constexpr const char* hourColumn = "Timme";
constexpr const char* runningColumn = "Drifttid";
constexpr const char* startupColumn = "Uppstart nr";
constexpr const char* startColumn = "Start";
constexpr const char* lastRecordColumn = "Sista post";
constexpr const char* recordsColumn = "Poster";
constexpr const char* onlineColumn = "Uppkopplad";
constexpr const char* systemStartColumn = "Från Windows start";
constexpr const char* awayColumn = "Borta";
constexpr const char* noData = "Inga poster";
constexpr const char* rangeLabel = "Period";
constexpr const char* rangeAll = "allt";
constexpr const char* rangeTo = " till ";

// Counts in the singular and the plural.
constexpr const char* startupSingular = "uppstart";
constexpr const char* startupPlural = "uppstarter";
constexpr const char* rowSingular = "rad";
constexpr const char* rowPlural = "rader";
constexpr const char* rawRowSingular = "oläsbar rad";
constexpr const char* rawRowPlural = "oläsbara rader";
constexpr const char* moreWindows = "fönster till";  // the same in both numbers

// CSV headers are the columns' captions; a duration's seconds follow it,
// under "Sekunder" for the first and "... (sekunder)" for the others.
constexpr const char* csvSecondsCaption = "Sekunder";
constexpr const char* csvSecondsSuffix = " (sekunder)";
constexpr const char* csvShareSuffix = " (%)";

// uvreport, the command-line report.
constexpr const char* reportUsage =
    "Användning: uvreport [--by title|app|category|day|hour|run] [--from ÅÅÅÅ-MM-DD]\n"
    "                [--to ÅÅÅÅ-MM-DD] [--csv] [--today ÅÅÅÅ-MM-DD]\n"
    "                [--away FIL | --include-away] [FIL ...]\n"
    "Skriver statistiken över Uravik-tidlistan. Utan FIL läses yhist.dab och\n"
    "ytime.dab i arbetsmappen. Tidlistan mäter fönstret som ligger direkt\n"
    "ovanför Uravik-fönstret, inte fönstret som används.\n"
    "  --by title     tid per fönstertitel (utan --by: summor, fönster och dagar)\n"
    "  --by app       tid per program: titelns text efter sista \" - \"\n"
    "  --by category  tid per kategori enligt uvkategori.txt\n"
    "  --by day       drifttid per dag\n"
    "  --by hour      tid per timme på dygnet, 00-01 till 23-00\n"
    "  --by run       en rad per körning (uppstart)\n"
    "  --from, --to   bara tiden som ligger de dagarna (båda inräknade); en\n"
    "                 period över midnatt delas mellan dagarna\n"
    "  --csv          CSV för kalkylprogram: \";\" mellan fälten, Windows-1252,\n"
    "                 CR LF; de tre första kolumnerna är namn, tid (H:MM:SS)\n"
    "                 och sekunder\n"
    "  --today        dagen som räknas som i dag (förvalt datorns datum)\n"
    "  --away FIL     tiden borta ur FIL, inte ur yborta.dab bredvid tidlistan\n"
    "  --include-away räkna tiden borta med fönstren, som utan yborta.dab\n"
    "Tiden då ingen var vid datorn (yborta.dab: inaktiv, låst, vila) räknas\n"
    "bort ur fönstrens tid där en post ligger över den, och visas som raden\n"
    "(borta) och kolumnen Borta per dag och per körning. Drifttid är oförändrad.\n"
    "Titlar som står i uvdolt.txt (ett mönster per rad, * för valfri text)\n"
    "visas som (dolt). uvkategori.txt har en regel per rad, KATEGORI = MÖNSTER,\n"
    "till exempel \"Kontor = *Kalkylprogram*\"; första regeln som passar gäller,\n"
    "och en titel som ingen regel passar räknas som (övrigt). # inleder en\n"
    "kommentar. Filerna får vara sparade som ANSI, UTF-8 eller UTF-16.\n"
    "Texten skrivs i terminalens teckenkodning. Slutkod 0: klart, 1: en fil\n"
    "kunde inte läsas, 2: fel i kommandoraden.\n";
// What went wrong, on standard error, each followed by what it names.
constexpr const char* reportCannotRead = "uvreport: kan inte läsa ";
constexpr const char* reportMissingFile = "uvreport: filen finns inte: ";
constexpr const char* reportIsFolder = "uvreport: en mapp, inte en fil: ";
constexpr const char* reportBadOption = "uvreport: okänt val ";
constexpr const char* reportMissingValue = "uvreport: värde saknas efter ";
constexpr const char* reportBadDate = "uvreport: inget datum (ÅÅÅÅ-MM-DD): ";
constexpr const char* reportBadGrouping =
    "uvreport: --by tar title, app, category, day, hour eller run, inte ";
constexpr const char* reportReversedRange = "uvreport: --from ligger efter --to: ";
constexpr const char* reportHeading = "Statistik för Uravik";

// uvreader, the log reader ("Tidlista").
constexpr const char* readerClass = "UravikTidlista";
constexpr const char* readerTitle = "Tidlista - ";
constexpr const char* readerFilterLabel = "Filter:";
constexpr const char* readerHistoryCheck = "Visa historik (yhist.dab)";
constexpr const char* readerNumberColumn = "Nr";
constexpr const char* readerDateColumn = "Datum";
constexpr const char* readerFromColumn = "Från";
constexpr const char* readerToColumn = "Till";
constexpr const char* readerPeriodColumn = "Period";
constexpr const char* readerRunColumn = "Körtid";
constexpr const char* readerTotalColumn = "Drifttid totalt";
constexpr const char* readerOnlineColumn = "Uppkopplad";
constexpr const char* readerOnlineMark = "*";
constexpr const char* readerStartupHeading = "Uppstart nr ";
constexpr const char* readerHistoryHeading = "HISTORIA (yhist.dab)";
constexpr const char* readerLogHeading = "TIDLISTA ";
constexpr const char* readerStatusOf = " av ";
constexpr const char* readerStatusSeparator = "   ·   ";
constexpr const char* readerStatusMissing = "Filen finns inte (ännu): ";
constexpr const char* readerStatusFollowing = "följer filen";
constexpr const char* readerStatusTail = "visar de sista ";
constexpr const char* readerStatusTailOf = " MB av ";
constexpr const char* readerStatusMegabytes = " MB";
constexpr const char* readerHint =
    "Listan får en rad när ett annat fönster hamnar direkt ovanför Uravik-fönstret.";

// uvstat, the statistics ("Statistik").
constexpr const char* statClass = "UravikStatistik";
constexpr const char* statTitle = "Statistik - Uravik";
constexpr const char* statCopyButton = "Kopiera CSV";
constexpr const char* statSaveButton = "Spara CSV...";
constexpr const char* statRefreshButton = "Uppdatera";
constexpr const char* statCloseButton = "Stäng";
constexpr const char* statBarChartTitles = "Fönster direkt ovanför Uravik-fönstret";
constexpr const char* statBarChartApplications = "Program direkt ovanför Uravik-fönstret";
constexpr const char* statBarChartCategories = "Kategorier direkt ovanför Uravik-fönstret";
constexpr const char* statHourChartHeading = "Tid direkt ovanför Uravik-fönstret per timme";
constexpr const char* statDayChartHeading = "Drifttid per dag, 30 dagar";
constexpr const char* statViewLabel = "Visa:";
// In the order of uvlog::Grouping.
constexpr const char* statViewChoices[] = {"Per fönster", "Per program", "Per kategori",
                                           "Per dag",     "Per timme",   "Per körning"};
constexpr const char* statRangeLabel = "Period:";
// In the order of StatRange.
constexpr const char* statRangeChoices[] = {"Allt", "Idag", "Denna vecka", "Denna månad",
                                            "Mellan datum"};
constexpr const char* statFromLabel = "Från";
// On: the time away (yborta.dab) is left out of the windows' time.
constexpr const char* statAwayCheck = "Räkna bort tid borta";
constexpr const char* statToLabel = "till";
constexpr const char* statDaysCsvButton = "Dagar som CSV...";
constexpr const char* statBadDate = "Skriv datumen som ÅÅÅÅ-MM-DD.";
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
