#pragma once
// Every text of the state file, the time log and the history that a user or
// another program sees: file names, file contents, messages and captions.

namespace persistence_texts {

// The three data files in the working directory, and the temporary files
// that new content is written to before it replaces the old.
constexpr const char* stateFileName = "ysave.dab";
constexpr const char* logFileName = "ytime.dab";
constexpr const char* historyFileName = "yhist.dab";
constexpr const char* stateTempFileName = "ysave.tmp";
constexpr const char* historyTempFileName = "yhist.tmp";
// Where a ysave.dab that could not be read is kept, rather than overwritten.
constexpr const char* keptStateFileName = "ysave.old";
constexpr const char* keptStateFileNumbered = "ysave%d.old";

// ysave.dab: every label starts with three blanks.
constexpr const char* startupsLabel = "   =Uppstarter\n";
constexpr const char* hoursLabel = "   =Timmar totalt\n";
constexpr const char* minutesLabel = "   =Minuter totalt\n";
constexpr const char* secondsLabel = "   =Sekunder totalt\n";
constexpr const char* applicationsLabel = "   =Applikationer totalt\n";
constexpr const char* endLine = "Slut\n";
constexpr const char* maxLogSizeCap = "4000000";

// ytime.dab and yhist.dab.
constexpr const char* headerStart = "WINDOWS START=  ";
constexpr const char* headerStartupNumber = "     Uppstart nr=  ";
constexpr const char* firstRecordName = "WINDOWS";
constexpr const char* untitledWindowName = "?";
constexpr const char* onlineMark = "* ";
// Written in binary, with the line end the text files have on disk.
constexpr const char* historyHeading = "HISTORIA\r\n";
constexpr const char* movingLogTitle = "Flyttar över ytime.dab till yhist.dab";

constexpr const char* startupCaption = "FILFEL";
constexpr const char* errorCaption = "FELMEDDELANDE";

constexpr const char* stateNotFoundMessage =
    "Uravik hittar inte filen 'ysave.dab'.\nAntingen kan programmet vara nyinstallerat eller så "
    "har filens innehåll raderats av någon anledning.\nOavsett vilket av orsakerna det är, stäng "
    "detta fönster och fortsätt som vanligt\nUravik reparerar skadan eller skapar en ny fil, i "
    "båda fallen förloras data som sparats.";
constexpr const char* stateUnreadableMessage =
    "Uravik kunde inte läsa i filen 'ysave.dab'.\nAntingen kan programmet vara nyinstallerat "
    "eller så har filens innehåll raderats av någon anledning.\nOavsett vilket av orsakerna det "
    "är, stäng detta fönster och fortsätt som vanligt\nUravik reparerar skadan eller skapar en "
    "ny fil, i båda fallen förloras data som sparats.";
// Added to the start-up box when an unreadable ysave.dab was kept aside.
constexpr const char* stateFileKeptNote = "\nDen gamla filen behålls som '%s'.";
constexpr const char* stateNotWrittenMessage =
    "'ysave.dab' finns inte, är förstörd eller ligger i fel mapp!\nUravik skapar en ny fil. "
    "Sparad data förloras.";
constexpr const char* logNotWrittenMessage =
    "'ytime.dab' finns inte, är förstörd eller ligger i fel mapp!\nUravik skapar en ny fil. "
    "Sparad data förloras.";
constexpr const char* logNotFoundMessage =
    "'ytime.dab' finns inte, är förstörd eller ligger i fel mapp!\nUravik har upptäckt att "
    "'ytime.dab'databasens storlek har uppnått max bestämd storlek (i 'Config').\nUravik hittar "
    "inte 'ytime.dab' nu när filen skall 'nollas'.\n Stäng denna ruta och fortsätt arbeta som "
    "vanligt. Uravik skapar en ny fil, all tidigare information i databasen förloras.";
constexpr const char* logUnreadableMessage =
    "'ytime.dab' finns inte, är förstörd eller ligger i fel mapp!\nStäng denna ruta och "
    "fortsätt arbeta som vanligt. Uravik skapar en ny fil och all information förloras.";
// The move into the history failed part-way; nothing of the log was lost.
constexpr const char* historyNotWrittenMessage =
    "Uravik kunde inte skriva filen 'yhist.dab'.\n'ytime.dab' lämnas orörd och flyttas vid "
    "nästa uppstart.\nStäng denna ruta och fortsätt arbeta som vanligt.";
constexpr const char* logNotEmptiedMessage =
    "Uravik kunde inte tömma filen 'ytime.dab'.\nInnehållet finns kvar och har även sparats i "
    "'yhist.dab'.\nStäng denna ruta och fortsätt arbeta som vanligt.";

}  // namespace persistence_texts
