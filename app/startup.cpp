// app/startup.cpp: process entry. One copy runs per desktop; a later start hands over and exits.
#include <windows.h>
#include <commctrl.h>
#include "../res/resource.h"
#include "main_window.h"
#include "startup.h"
#include "tray_icon.h"

HINSTANCE appInstance = NULL;

static void ShowFatal(const char* text) {
    MessageBoxA(NULL, text, "Error", MB_OK | MB_ICONWARNING);
}

int RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(NULL, "#32770", &windowClass)) {
        ShowFatal("Fatal: Cannot get dialog classinfo.");
        return 0;
    }
    // A private copy of the dialog class: its name is how a later start finds this copy.
    windowClass.style &= ~CS_GLOBALCLASS;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZINTAR));
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassA(&windowClass) == 0) {
        ShowFatal("Fatal: Cannot register hacked class.");
        return 0;
    }
    return 1;
}

void FindPreviousInstance(HWND running) {
    SendMessageA(running, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

// The hot-key and up-down controls live in comctl32; the dialogs that use them need the classes.
static void LoadCommonControls() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND running = FindWindowA(MAIN_WINDOW_CLASS, NULL);
    appInstance = instance;
    if (running != NULL) {
        FindPreviousInstance(running);
        return 0;
    }
    LoadCommonControls();
    if (!RegisterMainWindowClass(appInstance)) return 0;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainWindowProc, 0);
    return 0;
}
