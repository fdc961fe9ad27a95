#pragma once
// Ownership of GDI objects for the program and the companions alike: what is
// created is deleted, what is selected is put back, in the order create,
// select, draw, restore, delete.

#include <windows.h>

#include <utility>

namespace win32 {

// Deletes the object it holds (a pen, brush, font or region made here).
template <typename Handle>
class OwnedGdi {
public:
    OwnedGdi() = default;
    explicit OwnedGdi(Handle handle) : handle_(handle) {}
    ~OwnedGdi() { reset(); }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    OwnedGdi(OwnedGdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedGdi& operator=(OwnedGdi&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Handle get() const { return handle_; }

private:
    void reset()
    {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = nullptr;
    }
    Handle handle_ = nullptr;
};

// Selects an object into a device context and restores the previous one.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A pen made for a group of lines and selected for their drawing: on leaving
// the scope the previous pen is put back, then this one is deleted.
class ScopedPen {
public:
    ScopedPen(HDC dc, int style, int width, COLORREF colour)
        : pen_(CreatePen(style, width, colour)), selected_(dc, pen_.get())
    {
    }

private:
    OwnedGdi<HPEN> pen_;  // declared first: made before the selection, deleted after it
    ScopedSelect selected_;
};

// Limits drawing to a rectangle for its lifetime, then puts the device
// context's previous clipping back.
class ScopedClip {
public:
    ScopedClip(HDC dc, int left, int top, int right, int bottom) : dc_(dc), saved_(SaveDC(dc))
    {
        IntersectClipRect(dc, left, top, right, bottom);
    }
    ~ScopedClip() { RestoreDC(dc_, saved_); }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace win32
