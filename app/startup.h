// Process entry: one copy per desktop, the private window class, the main dialog.
#pragma once
#include <windows.h>

#define MAIN_WINDOW_CLASS "Zintar"

extern HINSTANCE appInstance;

// Registers "Zintar", a copy of the system dialog class; 0 with the fatal message shown.
int RegisterMainWindowClass(HINSTANCE instance);
void FindPreviousInstance(HWND running);  // hands over to the running copy
