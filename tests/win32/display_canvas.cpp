#include "tests/win32/display_canvas.h"

#include "timekeeping/clock.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

Canvas::Canvas(int width, int height, COLORREF background)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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

COLORREF Canvas::pixel(int x, int y) const
{
    GdiFlush();
    const std::uint32_t bgrx = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

void Canvas::fill(COLORREF colour)
{
    GdiFlush();
    const std::uint32_t bgrx = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = bgrx;
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
    Image result{width_, height_, {}};
    result.pixels.reserve(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            result.pixels.push_back(pixel(x, y));
    return result;
}

namespace {

template <typename T>
void put(std::string& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

bool writeBmp(const std::string& path, const Image& image)
{
    std::map<COLORREF, int> palette;
    for (COLORREF c : image.pixels) {
        if (palette.size() > 256)
            break;
        palette.emplace(c, 0);
    }
    const bool indexed = palette.size() <= 256;
    int index = 0;
    for (auto& entry : palette)
        entry.second = index++;

    const int bitCount = indexed ? 8 : 24;
    const int rowBytes = ((image.width * bitCount / 8) + 3) & ~3;
    const int paletteBytes = indexed ? static_cast<int>(palette.size()) * 4 : 0;
    const int offset = 14 + 40 + paletteBytes;
    std::string out;
    put<std::uint16_t>(out, 0x4D42);  // "BM"
    put<std::uint32_t>(out, offset + rowBytes * image.height);
    put<std::uint32_t>(out, 0);
    put<std::uint32_t>(out, offset);
    put<std::uint32_t>(out, 40);
    put<std::int32_t>(out, image.width);
    put<std::int32_t>(out, image.height);  // bottom-up, as every viewer expects
    put<std::uint16_t>(out, 1);
    put<std::uint16_t>(out, bitCount);
    put<std::uint32_t>(out, BI_RGB);
    put<std::uint32_t>(out, rowBytes * image.height);
    put<std::int32_t>(out, 2835);
    put<std::int32_t>(out, 2835);
    put<std::uint32_t>(out, indexed ? palette.size() : 0);
    put<std::uint32_t>(out, 0);
    if (indexed) {
        for (const auto& entry : palette) {
            const COLORREF c = entry.first;
            out += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                    static_cast<char>(GetRValue(c)), 0};
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.at(x, y);
            if (indexed)
                row += static_cast<char>(palette[c]);
            else
                row += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                        static_cast<char>(GetRValue(c))};
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file.flush());
}

namespace {

template <typename T>
T get(const std::string& data, size_t at)
{
    T value;
    std::memcpy(&value, data.data() + at, sizeof value);
    return value;
}

}  // namespace

bool readBmp(const std::string& path, Image* image)
{
    std::ifstream file(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(file)), {});
    if (data.size() < 54 || get<std::uint16_t>(data, 0) != 0x4D42)
        return false;
    const std::uint32_t offset = get<std::uint32_t>(data, 10);
    const std::uint32_t headerSize = get<std::uint32_t>(data, 14);
    const int width = get<std::int32_t>(data, 18);
    const int rawHeight = get<std::int32_t>(data, 22);
    const int bitCount = get<std::uint16_t>(data, 28);
    const std::uint32_t compression = get<std::uint32_t>(data, 30);
    std::uint32_t colours = get<std::uint32_t>(data, 46);
    if (compression != BI_RGB || (bitCount != 8 && bitCount != 24 && bitCount != 32) ||
        width <= 0 || rawHeight == 0)
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const size_t rowBytes = ((static_cast<size_t>(width) * bitCount / 8) + 3) & ~size_t{3};
    if (bitCount == 8 && colours == 0)
        colours = 256;
    const size_t paletteAt = 14 + headerSize;
    if (offset + rowBytes * height > data.size() ||
        (bitCount == 8 && paletteAt + colours * 4 > offset))
        return false;

    image->width = width;
    image->height = height;
    image->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        const size_t at = offset + rowBytes * row;
        const int y = bottomUp ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            size_t p = at + static_cast<size_t>(x) * bitCount / 8;
            if (bitCount == 8) {
                const unsigned index = static_cast<unsigned char>(data[p]);
                if (index >= colours)
                    return false;
                p = paletteAt + index * 4;
            }
            const auto byte = [&](size_t i) { return static_cast<unsigned char>(data[p + i]); };
            image->pixels[static_cast<size_t>(y) * width + x] = RGB(byte(2), byte(1), byte(0));
        }
    }
    return true;
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
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
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
    void* previous = *slot;
    *slot = function;
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

std::string colourText(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

namespace {

template <std::size_t N>
void copyClockText(char (&text)[N], const char* value)
{
    std::snprintf(text, N, "%s", value);
}

}  // namespace

void setShownClock(const ShownClock& shown)
{
    ClockState& c = clockState;
    copyClockText(c.nowYearText, shown.year);
    copyClockText(c.nowMonthText, shown.month);
    copyClockText(c.nowDayText, shown.day);
    copyClockText(c.nowHourText, shown.hour);
    copyClockText(c.nowMinuteText, shown.minute);
    copyClockText(c.nowSecondText, shown.second);
    copyClockText(c.startHourText, shown.startHour);
    copyClockText(c.startMinuteText, shown.startMinute);
    copyClockText(c.startSecondText, shown.startSecond);
    copyClockText(c.runText, shown.run);
    c.runTextLen = static_cast<int>(std::strlen(shown.run));
    copyClockText(c.totalHoursText, shown.totalHours);
    copyClockText(c.totalMinutesText, shown.totalMinutes);
    copyClockText(c.totalSecondsText, shown.totalSeconds);
    c.totalHoursLen = static_cast<int>(std::strlen(shown.totalHours));
    c.totalMinutesLen = static_cast<int>(std::strlen(shown.totalMinutes));
    c.totalSecondsLen = static_cast<int>(std::strlen(shown.totalSeconds));
}
