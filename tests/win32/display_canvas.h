#pragma once
// Test support for painting: a memory DC on a 32-bit top-down DIB section
// and a way to paint without glyphs.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "tests/win32/bitmap_file.h"
#include "win32/gdi_scoped_win32.h"

constexpr COLORREF windowGrey = RGB(192, 192, 192);  // LTGRAY_BRUSH, the class background

class Canvas {
public:
    Canvas(int width, int height);

    HDC dc() const { return dc_.get(); }
    void fill(COLORREF colour);
    // Every pixel a different pseudo-random colour, the same for the same seed.
    void fillNoise(std::uint32_t seed);
    bool samePixels(const Canvas& other) const;
    Image image() const { return imageOf(dc(), {0, 0, width_, height_}); }

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;  // the bitmap's pixels, set as it is made
    const std::unique_ptr<HDC__, decltype(&DeleteDC)> dc_;
    const win32::OwnedGdi<HBITMAP> bitmap_;
    const win32::ScopedSelect selected_;  // last: put back before the bitmap goes
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

// The clock texts a paint shows, as the clock and counters would hold them:
// the date and time (year, month, day, hour, minute, second), the start
// (hour, minute, second), the run, and the total (hours, minutes, seconds).
void setShownClock(const std::array<const char*, 13>& shown);
