// The options dialog.
#pragma once
#include <windows.h>

// The typed polling interval as a decimal number: leading white space, an optional sign, then
// digits up to the first other character; 0 without digits, the int limits when out of range.
int ParseSeconds(const char* text);
void RunSettingsDialog(HWND owner);
