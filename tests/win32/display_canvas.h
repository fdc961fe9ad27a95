#pragma once
// Test support for painting: a memory DC on a 32-bit top-down DIB section
// and a way to paint without glyphs.

#include <windows.h>

#include <cstdint>

#include "tests/win32/bitmap_file.h"

constexpr COLORREF windowGrey = RGB(192, 192, 192);  // LTGRAY_BRUSH, the class background

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = windowGrey);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void fill(COLORREF colour);
    // Every pixel a different pseudo-random colour, the same for the same seed.
    void fillNoise(std::uint32_t seed);
    bool samePixels(const Canvas& other) const;
    Image image() const { return imageOf(dc_, {0, 0, width_, height_}); }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previousBitmap_;
    std::uint32_t* bits_ = nullptr;
};

// While one exists, TextOutA in this executable draws nothing (and says it
// succeeded), so a paint shows only its lines and fills: comparing such a
// paint with a normal one tells exactly which pixels are glyphs. Where the
// executable imports no TextOutA by name, it hides nothing, and a paint
// then fails to match its glyph-free reference.
class NoGlyphs {
public:
    NoGlyphs();
    ~NoGlyphs();
    NoGlyphs(const NoGlyphs&) = delete;
    NoGlyphs& operator=(const NoGlyphs&) = delete;

private:
    void** slot_;
    void* original_;
};

// The clock texts a paint shows, as the clock and counters would hold them.
struct ShownClock {
    const char *year, *month, *day, *hour, *minute, *second;
    const char *startHour, *startMinute, *startSecond;
    const char* run;
    const char *totalHours, *totalMinutes, *totalSeconds;
};
void setShownClock(const ShownClock& shown);
