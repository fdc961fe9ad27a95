#pragma once
// The about box ("Om"): the program's name and version (from the version
// resource), the working directory and the sizes of the three data files.

#include <windows.h>

#include <string>
#include "win32/gdi_scoped_win32.h"

enum AboutControl {
    aboutVersionText = 301,
    aboutFolderText = 302,
    aboutFileFirst = 310,  // the sizes of ysave.dab, ytime.dab and yhist.dab
};
constexpr int aboutFileCount = 3;

struct AboutState {
    HWND window = nullptr;
    win32::OwnedGdi<HFONT> titleFont;  // made at creation, deleted at destruction
};

extern AboutState aboutState;

bool registerAboutClass(HINSTANCE instance);

HWND createAboutWindow(HINSTANCE instance, int showMode);

// "1.0.0" from the running program's version resource ("1.0.0.4" when the
// fourth part is not 0); empty when it has none.
std::string moduleVersionText();

// The size of a file in the working directory as shown: "4 000 000 byte", or
// "saknas" when there is no such file.
std::string fileSizeText(const char* name);
