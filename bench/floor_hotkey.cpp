// floor_hotkey.exe KEYCODE COMMAND: the least a program can do to turn a key into a player
// command: one registered combination and one WM_COMMAND to the player's window per press.
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>
#include "bench_contracts.h"

static WPARAM command = 0;

static LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        HWND player = FindWindowA("Winamp v1.x", NULL);
        if (player != NULL) SendMessageA(player, WM_COMMAND, command, 0);
        return 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 1;
    UINT keycode = (UINT)strtoul(__argv[1], NULL, 10);
    command = (WPARAM)strtoul(__argv[2], NULL, 10);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RelayProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = FLOOR_HOTKEY_CLASS;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window =
        CreateWindowExA(0, FLOOR_HOTKEY_CLASS, "", 0, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    if (window == NULL) return 1;
    UINT byte = (keycode >> 8) & 0xFF;
    UINT modifiers = ((byte & HOTKEYF_SHIFT) ? MOD_SHIFT : 0) |
                     ((byte & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                     ((byte & HOTKEYF_ALT) ? MOD_ALT : 0);
    if (!RegisterHotKey(window, 1, modifiers, keycode & 0xFF)) return 2;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
