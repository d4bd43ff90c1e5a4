// app/tray_icon.cpp: the notification-area icon that stands for the hidden main window.
#include "tray_icon.h"
#include "main_window.h"
#include "startup.h"
#include "../res/resource.h"

HICON trayIconHandle = NULL;

// A private copy of the icon: the class icon comes from the same resource through LoadIconA,
// whose shared handle must outlive every DestroyIcon made here.
static HICON LoadOwnIcon(HINSTANCE instance, UINT iconId) {
    return (HICON)LoadImageA(instance, MAKEINTRESOURCEA(LOWORD(iconId)), IMAGE_ICON, 0, 0,
                             LR_DEFAULTSIZE);
}

void FillTrayRecord(NOTIFYICONDATAA* record, HWND window, HICON icon, const char* tip) {
    *record = {};
    record->cbSize = NOTIFYICONDATAA_V1_SIZE;
    record->hWnd = window;
    record->uID = TRAY_ICON_ID;
    record->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record->uCallbackMessage = WM_TRAYNOTIFY;
    record->hIcon = icon;
    // The short record has room for 64 characters of tip, the terminator included.
    if (tip != NULL) lstrcpynA(record->szTip, tip, TRAY_TIP_SIZE);
}

void UpdateTrayIcon(HINSTANCE instance, HWND window, DWORD action, UINT iconId, const char* tip) {
    // At most one icon is ever held: the previous one goes before the shell hears anything.
    if (trayIconHandle != NULL) {
        DestroyIcon(trayIconHandle);
        trayIconHandle = NULL;
    }
    if (action == NIM_ADD || action == NIM_MODIFY) trayIconHandle = LoadOwnIcon(instance, iconId);
    NOTIFYICONDATAA record;
    FillTrayRecord(&record, window, trayIconHandle, tip);
    Shell_NotifyIconA(action, &record);
}

static void OnLeftButton(HWND window) {
    ShowWindow(window, SW_SHOW);
    UpdateTrayIcon(appInstance, window, NIM_DELETE, IDI_ZINTAR, TRAY_TIP);
}

static void OnRightButton(HWND window) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenuEx(GetSubMenu(trayMenu, 0), TPM_VERTICAL, cursor.x, cursor.y, window, NULL);
    PostMessageA(window, WM_USER, 0, 0);
}

void OnTrayNotify(HWND window, LPARAM mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN: OnLeftButton(window); break;
        case WM_RBUTTONDOWN: OnRightButton(window); break;
    }
}
