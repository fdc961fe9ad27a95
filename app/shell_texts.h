#pragma once
// Every text of the application shell that a user or another program sees.

namespace shell_texts {

constexpr const char* className = "Uravik";
constexpr const char* initialTitle = "Uravik";
constexpr const char* compactViewTitle = "Uravik Configuration";
constexpr const char* iconName = "URAVIK";
constexpr const char* buttonClass = "button";

constexpr const char* timeListCaption = "Tidlista";
constexpr const char* statisticsCaption = "Statistik";
constexpr const char* configCaption = "Config";
constexpr const char* manualCaption = "Manual";
constexpr const char* aboutCaption = "Om";
constexpr const char* cancelCaption = "Avbryt";
constexpr const char* okCaption = "OK";

// Companion programs, started by name from the working directory.
constexpr const char* manualCommand = "notepad.exe uvmanual.txt";
constexpr const char* aboutCommand = "aboutuv.exe";
constexpr const char* statisticsCommand = "uvstat.lib";
constexpr const char* timeListCommand = "uvreader.exe ytime.dab";

}  // namespace shell_texts
