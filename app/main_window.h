// The main window: the list of hot keys and its commands, start-up and tear-down.
#pragma once
#include <windows.h>

#define MAX_DELETE_SELECTION 512

extern HWND mainWindowHandle;
extern HMENU trayMenu;

// A new heap text holding line index of the main list (free with FreeText); NULL on failure.
char* ReadListLine(HWND list, int index);

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
