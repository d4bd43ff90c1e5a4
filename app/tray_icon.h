// The notification-area icon that stands for the hidden main window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#define WM_TRAYNOTIFY (WM_APP + 100)
#define TRAY_ICON_ID (WM_APP + 200)
#define TRAY_TIP "Zintar 1.0"
#define TRAY_TIP_SIZE 64  // the tip field of the short record, terminator included

extern HICON trayIconHandle;

// Fills the short (first-version) record for the icon; a null tip leaves the tip empty.
void FillTrayRecord(NOTIFYICONDATAA* record, HWND window, HICON icon, const char* tip);
void UpdateTrayIcon(HINSTANCE instance, HWND window, DWORD action, UINT iconId, const char* tip);
void OnTrayNotify(HWND window, LPARAM mouseMessage);
