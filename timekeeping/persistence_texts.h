#pragma once
// The texts the time keeping shows a user: messages and captions about the
// data files. The files' own names and contents are in
// common/data_file_format.h.

namespace persistence_texts {

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
// ysave.dab is held by another program beyond the start-up's wait.
constexpr const char* stateHeldMessage =
    "Uravik kan inte läsa filen 'ysave.dab' just nu: ett annat program håller den.\nFilen "
    "lämnas orörd. Uravik läser den och sparar i den så snart den är ledig.";
// Added to the start-up box when an unreadable ysave.dab was kept aside.
constexpr const char* stateFileKeptNote = "\nDen gamla filen behålls som '%s'.";
constexpr const char* stateNotWrittenMessage =
    "'ysave.dab' finns inte, är förstörd eller ligger i fel mapp!\nUravik skapar en ny fil. "
    "Sparad data förloras.";
// The new content could not be written (a full disk); the saved file is kept.
constexpr const char* stateNotWritableMessage =
    "Uravik kan inte skriva i filen 'ysave.dab'. Disken kan vara full.\nDen sparade filen "
    "lämnas orörd, och Uravik försöker spara igen.";
constexpr const char* logNotWrittenMessage =
    "'ytime.dab' finns inte, är förstörd eller ligger i fel mapp!\nUravik skapar en ny fil. "
    "Sparad data förloras.";
// The log is there but an append to it failed (a full disk).
constexpr const char* logNotWritableMessage =
    "Uravik kan inte skriva i filen 'ytime.dab'. Disken kan vara full.\nInget av det som redan "
    "finns i filen förloras, och Uravik försöker skriva igen.";
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

// The times away wait in memory and are written with the next period.
constexpr const char* awayNotWrittenMessage =
    "Uravik kunde inte skriva filen 'yborta.dab'.\nTiden borta skrivs dit när filen går att "
    "skriva igen.\nStäng denna ruta och fortsätt arbeta som vanligt.";

}  // namespace persistence_texts
