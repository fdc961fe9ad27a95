#pragma once
// Pixels as the tests look at them, taken from a device context or a BMP
// file, and written to BMP files: the reference images and the screenshots.

#include <windows.h>

#include <string>
#include <vector>

// Pixels as COLORREF values (red in the low byte), row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// An uncompressed DIB's header; a negative height puts the rows top-down.
BITMAPINFOHEADER dibHeader(int width, int height, WORD bitsPerPixel);

// The pixels of a rectangle of a device context (the screen's: GetDC(nullptr)).
Image imageOf(HDC source, const RECT& rect);

// Writes a 24-bit BMP; false when the file cannot be written.
bool writeBmp(const std::string& path, const Image& image);

// Reads a BMP in any format the system loads; false when it cannot.
bool readBmp(const std::string& path, Image* image);
