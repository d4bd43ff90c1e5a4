// The notification-area icon that stands for the hidden main window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#define WM_TRAYNOTIFY (WM_APP + 100)
#define TRAY_ICON_ID (WM_APP + 200)
#define TRAY_TIP "Zintar 1.0"

extern HICON trayIconHandle;

void UpdateTrayIcon(HINSTANCE instance, HWND window, DWORD action, UINT iconId, const char* tip);
void OnTrayNotify(HWND window, LPARAM mouseMessage);
