#pragma once
// The one conversion between a window handle and the seam's opaque number,
// for the Win32 code of the program's own layers.

#include <windows.h>

#include "host/host.h"

namespace host {

inline HWND asHwnd(WindowHandle handle)
{
    return reinterpret_cast<HWND>(handle);
}

inline WindowHandle asWindowHandle(HWND window)
{
    return reinterpret_cast<WindowHandle>(window);
}

}  // namespace host
