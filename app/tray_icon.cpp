// app/tray_icon.cpp: the notification-area icon. (The icon lands later; the hand-over works now.)
#include "tray_icon.h"

HICON trayIconHandle = NULL;

void UpdateTrayIcon(HINSTANCE, HWND, DWORD, UINT, const char*) {}

void OnTrayNotify(HWND window, LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN) ShowWindow(window, SW_SHOW);
}
