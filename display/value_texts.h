#pragma once
// The texts that the value boxes show, built from the clock's
// unpadded decimal parts. Portable: no <windows.h>.

#include <cstddef>

// H:MM:SS from three unpadded parts and their character counts: "0:00:00"
// when all three counts are 0; otherwise minutes and seconds get a leading
// "0" when their count is exactly 1, and the hours are never padded.
void formatTimeText(char* out, std::size_t outSize, const char* hours, int hoursLen,
                    const char* minutes, int minutesLen, const char* seconds, int secondsLen);

// The same rule, with each part's count taken from the text itself.
void formatTimeText(char* out, std::size_t outSize, const char* hours, const char* minutes,
                    const char* seconds);

// YYYY-MM-DD: month and day get a leading "0" when one character long, the
// year is used as it is.
void formatDateText(char* out, std::size_t outSize, const char* year, const char* month,
                    const char* day);

// This run's time as the boxes show it: zero before the first count.
const char* shownRunText();
