// floor_dialog.exe: the least a program can do to start like Zintar: a private copy of the dialog
// class, a dialog from a template, and every stored combination registered on it, read from the
// registry in the cheapest way (one value per binding). It ends on WM_CLOSE.
#include <windows.h>
#include <commctrl.h>
#include "bench_contracts.h"

static void RegisterStored(HWND window) {
    HKEY data = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane\\Zintar\\Data", 0, KEY_READ, &data) !=
        ERROR_SUCCESS) {
        return;
    }
    for (DWORD index = 0;; index++) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(data, index, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        UINT32 keycode = 0;
        DWORD length = sizeof keycode;
        if (RegGetValueA(data, name, "keycode", RRF_RT_ANY, NULL, &keycode, &length) !=
            ERROR_SUCCESS) {
            continue;
        }
        UINT byte = (keycode >> 8) & 0xFF;
        UINT modifiers = ((byte & HOTKEYF_SHIFT) ? MOD_SHIFT : 0) |
                         ((byte & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                         ((byte & HOTKEYF_ALT) ? MOD_ALT : 0);
        RegisterHotKey(window, (int)index + 1, modifiers, keycode & 0xFF);
    }
    RegCloseKey(data);
}

static INT_PTR CALLBACK FloorProc(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: RegisterStored(window); return TRUE;
        case WM_CLOSE: EndDialog(window, 0); return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(NULL, "#32770", &windowClass)) return 1;
    windowClass.style &= ~CS_GLOBALCLASS;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = FLOOR_DIALOG_CLASS;
    if (!RegisterClassA(&windowClass)) return 1;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(FLOOR_DIALOG_TEMPLATE), NULL, FloorProc, 0);
    return 0;
}
