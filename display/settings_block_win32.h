#pragma once
#include <windows.h>

// The tariff and modem-port form that takes the right group's place in edit
// mode; drawn with the text font selected.
void paintSettingsBlock(HDC dc);
