#include "tests/win32/display_canvas.h"

#include "timekeeping/clock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// A 32-bit top-down DIB section, its pixels at *bits.
HBITMAP dibSection(int width, int height, std::uint32_t** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader = dibHeader(width, -height, 32);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr,
                            0);
}

BOOL WINAPI drawNoText(HDC, int, int, LPCSTR, int)
{
    return TRUE;
}

// The slot in this executable's import table through which its code calls
// gdi32's TextOutA.
void** textOutSlot()
{
    const auto textOut =
        reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "TextOutA"));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; module->Name != 0; ++module)
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
             slot->u1.Function != 0; ++slot)
            if (slot->u1.Function == textOut)
                return reinterpret_cast<void**>(&slot->u1.Function);
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

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      dc_(CreateCompatibleDC(nullptr), &DeleteDC),
      bitmap_(dibSection(width, height, &bits_)),
      selected_(dc_.get(), bitmap_.get())
{
    fill(windowGrey);
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

NoGlyphs::NoGlyphs()
    : slot_(textOutSlot()), original_(swapSlot(slot_, reinterpret_cast<void*>(drawNoText)))
{
}

NoGlyphs::~NoGlyphs()
{
    swapSlot(slot_, original_);
}

void setShownClock(const std::array<const char*, 13>& shown)
{
    ClockState& c = clockState;
    const auto copy = [](auto& text, const char* value) {
        std::snprintf(text, sizeof text, "%s", value);
        return static_cast<int>(std::strlen(value));
    };
    copy(c.nowYearText, shown[0]);
    copy(c.nowMonthText, shown[1]);
    copy(c.nowDayText, shown[2]);
    copy(c.nowHourText, shown[3]);
    copy(c.nowMinuteText, shown[4]);
    copy(c.nowSecondText, shown[5]);
    copy(c.startHourText, shown[6]);
    copy(c.startMinuteText, shown[7]);
    copy(c.startSecondText, shown[8]);
    c.runTextLen = copy(c.runText, shown[9]);
    c.totalHoursLen = copy(c.totalHoursText, shown[10]);
    c.totalMinutesLen = copy(c.totalMinutesText, shown[11]);
    c.totalSecondsLen = copy(c.totalSecondsText, shown[12]);
}
