#pragma once
// The two-digit rule shared by the counters, the log and the state file.

#include <string>

// The text with a "0" before it when it is one character long.
std::string twoDigitForm(const char* text);
