// app/main_window.cpp: the list of hot keys, its buttons, start-up, minimize and tear-down.
#include <windows.h>
#include "../res/resource.h"
#include "../actions/dispatch.h"
#include "../actions/window_hider.h"
#include "../bindings/attributes_dialog.h"
#include "../bindings/binding_list.h"
#include "../bindings/binding_store.h"
#include "../prefs/about_box.h"
#include "../prefs/settings_dialog.h"
#include "../prefs/settings_store.h"
#include "../prefs/startup_shortcut.h"
#include "main_window.h"
#include "startup.h"
#include "tray_icon.h"

HWND mainWindowHandle = NULL;
HMENU trayMenu = NULL;

// The modal loop shows the dialog once more the first time its queue runs empty, which comes
// after the start-up minimize has been handled: that one show must not undo it.
static int startMinimizing = 0;
static int holdNextShow = 0;

static BOOL OnInitDialog(HWND window) {
    trayMenu = LoadMenuA(appInstance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    mainWindowHandle = window;  // every hot key registers on it, so it must come before the load
    LoadBindings();
    ArmPollTimer(mainWindowHandle, ReadPollInterval());
    SendMessageA(window, WM_TIMER, 0, 0);  // hide what matches now, before the first tick
    if (ReadFlag(PRODUCT_KEY, "AutoStart") == FlagOn) CreateStartupShortcut();
    if (ReadFlag(PRODUCT_KEY, "StartMinimized") == FlagOn) {
        startMinimizing = 1;
        PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    return TRUE;
}

char* ReadListLine(HWND list, int index) {
    // Read as UTF-16: the list box of the common controls mishandles long lines read as ANSI.
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return NULL;
    WCHAR* wide =
        (WCHAR*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, ((SIZE_T)length + 1) * sizeof(WCHAR));
    if (wide == NULL) return NULL;
    char* text = NULL;
    LRESULT got = SendMessageW(list, LB_GETTEXT, index, (LPARAM)wide);
    if (got != LB_ERR) {
        int size = WideCharToMultiByte(CP_ACP, 0, wide, (int)got, NULL, 0, NULL, NULL);
        text = NewTextBuffer(size);
        if (text != NULL) WideCharToMultiByte(CP_ACP, 0, wide, (int)got, text, size, NULL, NULL);
    }
    HeapFree(GetProcessHeap(), 0, wide);
    return text;
}

// Removes the selected line at index and the binding it names. Names are not limited in length,
// so the line is read whole, however long.
static void DeleteLine(HWND list, int index) {
    char* name = ReadListLine(list, index);
    if (name == NULL) return;
    SendMessageA(list, LB_DELETESTRING, index, 0);
    RemoveBinding(name);
    FreeText(name);
}

static void OnDelete(HWND window) {
    HWND list = GetDlgItem(window, IDC_HOTKEY_LIST);
    int indices[MAX_DELETE_SELECTION] = {};
    LRESULT selected = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    LRESULT stored = SendMessageA(list, LB_GETSELITEMS, MAX_DELETE_SELECTION, (LPARAM)indices);
    if (stored < 0) stored = 0;
    if (selected > stored) {
        MessageBoxA(window, "Too many items selected.", NULL, MB_OK);
        return;
    }
    // From the highest index down, so that the indices still to come stay valid.
    for (LRESULT i = stored - 1; i >= 0; i--) DeleteLine(list, indices[i]);
    SaveBindings();
}

static void OnEdit(HWND window) {
    if (SendDlgItemMessageA(window, IDC_HOTKEY_LIST, LB_GETSELCOUNT, 0, 0) < 1) return;
    RunEditDialog(window);
}

static void OnCommand(HWND window, WPARAM wParam) {
    switch (wParam) {
        case IDC_ADD: RunAddDialog(window); break;
        case IDC_EDIT: OnEdit(window); break;
        case IDC_DELETE: OnDelete(window); break;
        case IDC_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case IDC_SETTINGS: RunSettingsDialog(window); break;
        case IDC_APP_ICON: RunAboutBox(window); break;
        case IDM_CONFIGURE: SendMessageA(window, WM_TRAYNOTIFY, 0, WM_LBUTTONDOWN); break;
        case IDM_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case MAKEWPARAM(IDC_HOTKEY_LIST, LBN_DBLCLK):
            SendMessageA(window, WM_COMMAND, IDC_EDIT, 0);
            break;
    }
}

static BOOL OnSysCommand(HWND window, WPARAM wParam) {
    holdNextShow = 0;  // the user is in charge from here on
    if (wParam == SC_MINIMIZE && startMinimizing) {
        startMinimizing = 0;
        holdNextShow = 1;
    }
    if (wParam != SC_MINIMIZE) return FALSE;
    if (ReadFlag(PRODUCT_KEY, "Minimize") != FlagOn) return FALSE;
    // Hidden, not minimized: it comes back at its normal size and place.
    ShowWindow(window, SW_HIDE);
    if (ReadFlag(PRODUCT_KEY, "DisableSystray") == FlagOff) {
        UpdateTrayIcon(appInstance, window, NIM_ADD, IDI_ZINTAR, TRAY_TIP);
    }
    return TRUE;
}

// Keeps the start-up minimize against the modal loop's first-idle show, once.
static void OnWindowPosChanging(HWND window, WINDOWPOS* position) {
    if (!holdNextShow || !(position->flags & SWP_SHOWWINDOW) || IsWindowVisible(window)) return;
    holdNextShow = 0;
    position->flags &= ~SWP_SHOWWINDOW;
}

static BOOL OnQueryOpen(HWND window) {
    if (!holdNextShow) return FALSE;
    holdNextShow = 0;
    SetWindowLongPtrA(window, DWLP_MSGRESULT, FALSE);  // stay minimized on the taskbar
    return TRUE;
}

static void OnTrayNotifyMessage(HWND window, LPARAM lParam) {
    holdNextShow = 0;  // a click on the icon or a second start wants the window back
    OnTrayNotify(window, lParam);
}

static void OnClose(HWND window) {
    UpdateTrayIcon(appInstance, window, NIM_DELETE, 0, NULL);
    KillTimer(mainWindowHandle, HIDE_TIMER_ID);
    RestoreHiddenWindows();
    ReleaseAllBindings();
    EndDialog(window, IDCANCEL);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(window);
        case WM_COMMAND: OnCommand(window, wParam); return FALSE;
        case WM_SYSCOMMAND: return OnSysCommand(window, wParam);
        case WM_TIMER: HidePoll(); return FALSE;
        case WM_HOTKEY: DispatchBinding(wParam); return FALSE;
        case WM_TRAYNOTIFY: OnTrayNotifyMessage(window, lParam); return FALSE;
        case WM_WINDOWPOSCHANGING: OnWindowPosChanging(window, (WINDOWPOS*)lParam); return FALSE;
        case WM_QUERYOPEN: return OnQueryOpen(window);
        case WM_CLOSE: OnClose(window); return FALSE;
    }
    return FALSE;  // never DefWindowProc in a dialog procedure
}
