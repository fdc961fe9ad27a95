#include "tests/win32/display_canvas.h"

#include "timekeeping/clock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <utility>

namespace {

BITMAPINFO topDown32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

COLORREF fromBgrx(std::uint32_t bgrx)
{
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF background)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    const BITMAPINFO info = topDown32(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previousBitmap_ = SelectObject(dc_, bitmap_);
    fill(background);
}

Canvas::~Canvas()
{
    SelectObject(dc_, previousBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Canvas::fill(COLORREF colour)
{
    GdiFlush();
    std::fill(bits_, bits_ + width_ * height_,
              GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
}

void Canvas::fillNoise(std::uint32_t seed)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bits_[i] = seed >> 8;
    }
}

bool Canvas::samePixels(const Canvas& other) const
{
    GdiFlush();
    return width_ == other.width_ && height_ == other.height_ &&
           std::memcmp(bits_, other.bits_, sizeof *bits_ * width_ * height_) == 0;
}

Image Canvas::image() const
{
    GdiFlush();
    Image result{width_, height_, {}};
    for (int i = 0; i < width_ * height_; ++i)
        result.pixels.push_back(fromBgrx(bits_[i]));
    return result;
}

bool writeBmp(const std::string& path, const Image& image)
{
    std::map<COLORREF, int> palette;
    for (COLORREF c : image.pixels)
        palette.emplace(c, static_cast<int>(palette.size()));
    if (palette.size() > 256)
        return false;
    const int rowBytes = (image.width + 3) & ~3;
    BITMAPINFOHEADER header = {sizeof header, image.width, image.height, 1, 8, BI_RGB};
    header.biSizeImage = rowBytes * image.height;  // rows bottom-up, as every viewer expects
    header.biClrUsed = static_cast<DWORD>(palette.size());
    BITMAPFILEHEADER file = {0x4D42};  // "BM"
    file.bfOffBits = sizeof file + sizeof header + 4 * header.biClrUsed;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<RGBQUAD> colours(palette.size());
    for (const auto& entry : palette)
        colours[entry.second] = {GetBValue(entry.first), GetGValue(entry.first),
                                 GetRValue(entry.first), 0};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(colours.data()), 4 * colours.size());
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < image.width; ++x)
            row[x] = static_cast<char>(palette[image.at(x, y)]);
        out << row;
    }
    return static_cast<bool>(out.flush());
}

bool readBmp(const std::string& path, Image* image)
{
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP shape = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof shape, &shape) == 0)
        return false;
    BITMAPINFO info = topDown32(shape.bmWidth, shape.bmHeight);
    std::vector<std::uint32_t> bits(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, shape.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bitmap);
    *image = {shape.bmWidth, shape.bmHeight, {}};
    for (std::uint32_t bgrx : bits)
        image->pixels.push_back(fromBgrx(bgrx));
    return rows == shape.bmHeight;
}

namespace {

BOOL WINAPI drawNoText(HDC, int, int, LPCSTR, int)
{
    return TRUE;
}

// The slot in this executable's import table through which its code calls
// gdi32's TextOutA.
void** textOutSlot()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; module->Name != 0; ++module) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + module->Name), "gdi32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), "TextOutA") == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void* swapSlot(void** slot, void* function)
{
    if (slot == nullptr)
        return nullptr;
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    void* previous = std::exchange(*slot, function);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return previous;
}

}  // namespace

NoGlyphs::NoGlyphs() : original_(swapSlot(textOutSlot(), reinterpret_cast<void*>(drawNoText))) {}

NoGlyphs::~NoGlyphs()
{
    swapSlot(textOutSlot(), original_);
}

bool NoGlyphs::available()
{
    return textOutSlot() != nullptr;
}

void setShownClock(const ShownClock& shown)
{
    ClockState& c = clockState;
    const auto copy = [](auto& text, const char* value) {
        std::snprintf(text, sizeof text, "%s", value);
        return static_cast<int>(std::strlen(value));
    };
    copy(c.nowYearText, shown.year);
    copy(c.nowMonthText, shown.month);
    copy(c.nowDayText, shown.day);
    copy(c.nowHourText, shown.hour);
    copy(c.nowMinuteText, shown.minute);
    copy(c.nowSecondText, shown.second);
    copy(c.startHourText, shown.startHour);
    copy(c.startMinuteText, shown.startMinute);
    copy(c.startSecondText, shown.startSecond);
    c.runTextLen = copy(c.runText, shown.run);
    c.totalHoursLen = copy(c.totalHoursText, shown.totalHours);
    c.totalMinutesLen = copy(c.totalMinutesText, shown.totalMinutes);
    c.totalSecondsLen = copy(c.totalSecondsText, shown.totalSeconds);
}
