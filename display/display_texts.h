#pragma once
// Every text that the painted window shows, in one place.

namespace display_texts {

// Group headings.
constexpr const char* leftHeading = "Ura-vik";
constexpr const char* rightHeading = "Internet-tid";

// Row labels. The right group repeats the left group's time rows.
constexpr const char* todayLabel = "Dagens datum";
constexpr const char* startupLabel = "Tid vid uppstart";
constexpr const char* nowLabel = "Tid nu";
constexpr const char* runLabel = "Drifttid denna gång";
constexpr const char* totalLabel = "Drifttid totalt";
constexpr const char* modemStatusLabel = "Modemstatus";
constexpr const char* periodLabel = "Drifttid perioden";
constexpr const char* comesToLabel = "blir";
constexpr const char* kronorLabel = "kr";

// Values.
constexpr const char* zeroTime = "0:00:00";
constexpr const char* portFormat = "COM = %i";
constexpr const char* modemOn = "ON";
constexpr const char* modemOff = "OFF";
// No cost is computed anywhere: every cost box shows this fixed text.
constexpr const char* fixedCost = "16:27";

// The settings block.
constexpr const char* settingsInstruction = "Ändra om förvald TID/KOSTNAD inte stämmer.";
constexpr const char* lowRateFromLabel = "Lågtaxa TID från";
constexpr const char* lowRateCostLabel = "Lågtaxa KOSTNAD kr/min";
constexpr const char* highRateFromLabel = "Högtaxa TID från";
constexpr const char* highRateCostLabel = "Högtaxa KOSTNAD kr/min";
constexpr const char* modemPortInstruction1 = "Om programmet inte hittat MODEMET, skriv in vilken";
constexpr const char* modemPortInstruction2 = "port den ligger på ex: COM1. Förvalt är AUTO.";
constexpr const char* modemPortLabel = "Modemet ligger på port";

}  // namespace display_texts
