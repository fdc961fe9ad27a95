#pragma once
// Ownership of GDI objects: what is created is deleted, what is selected is
// put back, in the order create, select, draw, restore, delete.

#include <windows.h>

namespace companion {

// Deletes the object it holds (a pen, brush or font made by this program).
template <typename Handle>
class OwnedGdi {
public:
    explicit OwnedGdi(Handle handle) : handle_(handle) {}
    ~OwnedGdi()
    {
        if (handle_ != nullptr)
            DeleteObject(handle_);
    }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    Handle get() const { return handle_; }

private:
    Handle handle_;
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

}  // namespace companion
