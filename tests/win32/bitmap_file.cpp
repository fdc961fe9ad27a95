#include "tests/win32/bitmap_file.h"

#include <cstdint>
#include <fstream>
#include <memory>

#include "win32/gdi_scoped_win32.h"

BITMAPINFOHEADER dibHeader(int width, int height, WORD bitsPerPixel)
{
    return {sizeof(BITMAPINFOHEADER), width, height, 1, bitsPerPixel, BI_RGB, 0, 0, 0, 0, 0};
}

namespace {

using OwnedDc = std::unique_ptr<HDC__, decltype(&DeleteDC)>;

// The bitmap's pixels through a 32-bit top-down copy.
Image imageOfBitmap(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader = dibHeader(width, -height, 32);
    std::vector<std::uint32_t> bits(static_cast<size_t>(width) * height);
    if (GetDIBits(dc, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    Image image = {width, height, {}};
    for (std::uint32_t bgrx : bits)
        image.pixels.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
    return image;
}

}  // namespace

Image imageOf(HDC source, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const OwnedDc memory(CreateCompatibleDC(source), &DeleteDC);
    const win32::OwnedGdi<HBITMAP> bitmap(CreateCompatibleBitmap(source, width, height));
    {  // selected only for the copy: a selected bitmap's pixels cannot be read
        const win32::ScopedSelect selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, source, rect.left, rect.top, SRCCOPY);
    }
    return imageOfBitmap(memory.get(), bitmap.get(), width, height);
}

bool writeBmp(const std::string& path, const Image& image)
{
    const int rowBytes = (image.width * 3 + 3) & ~3;
    BITMAPINFOHEADER header = dibHeader(image.width, image.height, 24);
    header.biSizeImage = rowBytes * image.height;  // rows bottom-up, as every viewer expects
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file = {0x4D42, offset + header.biSizeImage, 0, 0, offset};  // "BM"
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.at(x, y);
            row.replace(3 * x, 3, {char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))});
        }
        out << row;
    }
    return static_cast<bool>(out.flush());
}

bool readBmp(const std::string& path, Image* image)
{
    const win32::OwnedGdi<HBITMAP> bitmap(static_cast<HBITMAP>(LoadImageA(
        nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP shape = {};
    if (GetObjectA(bitmap.get(), sizeof shape, &shape) == 0)
        return false;
    *image = imageOfBitmap(OwnedDc(CreateCompatibleDC(nullptr), &DeleteDC).get(), bitmap.get(),
                           shape.bmWidth, shape.bmHeight);
    return image->width == shape.bmWidth;
}
