// The options dialog.
#pragma once
#include <windows.h>

void RunSettingsDialog(HWND owner);
