#pragma once
// Every text of the application shell that a user or another program sees.

#include "common/data_file_format.h"

namespace shell_texts {

constexpr const char* className = "Uravik";
constexpr const char* initialTitle = "Uravik";
constexpr const char* compactViewTitle = "Uravik Configuration";
// Before the run time: in the main view, and while the modem is on line.
constexpr const char* runTitlePrefix = "Uravik ";
constexpr const char* internetTitlePrefix = "Internet nu ";
// While the log is moved into the history at start-up.
constexpr const char* movingLogTitle = "Flyttar över ytime.dab till yhist.dab";
constexpr const char* iconName = "URAVIK";
constexpr const char* buttonClass = "button";

constexpr const char* timeListCaption = "Tidlista";
constexpr const char* statisticsCaption = "Statistik";
constexpr const char* configCaption = "Config";
constexpr const char* manualCaption = "Manual";
constexpr const char* aboutCaption = "Om";
constexpr const char* cancelCaption = "Avbryt";
constexpr const char* okCaption = "OK";

// The system menu's way back to the main view from the narrower views.
constexpr const char* mainViewMenuItem = "Hela fönstret";

// The programs the buttons start, each by its full path (Notepad from the
// system folder, the companions from uravik.exe's own folder), with their
// arguments, in the working directory.
constexpr const char* notepadProgram = "notepad.exe";
constexpr const char* manualArguments = "uvmanual.txt";
constexpr const char* aboutProgram = "aboutuv.exe";
constexpr const char* statisticsProgram = "uvstat.lib";
constexpr const char* timeListProgram = "uvreader.exe";
constexpr const char* timeListArguments = data_file_format::logFileName;

// Said instead of searching elsewhere; %s is the program's full path.
constexpr const char* programMissingMessage = "Uravik hittar inte programmet '%s'.";
constexpr const char* programNotStartedMessage = "Uravik kan inte starta programmet '%s'.";

}  // namespace shell_texts
