// The main window: the list of hot keys and its commands, start-up and tear-down.
#pragma once
#include <windows.h>

#define MAX_DELETE_SELECTION 512

extern HWND mainWindowHandle;
extern HMENU trayMenu;

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
