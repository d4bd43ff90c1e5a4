// prefs/settings_dialog.cpp: the options dialog. It reads the registry when it opens and writes
// it only on OK; the timer and the Startup shortcut follow the saved options at once.
#include <windows.h>
#include <commctrl.h>
#include "../res/resource.h"
#include "../actions/window_hider.h"
#include "../app/main_window.h"
#include "../app/startup.h"
#include "../bindings/attributes_dialog.h"
#include "../bindings/binding_list.h"
#include "settings_dialog.h"
#include "settings_store.h"
#include "startup_shortcut.h"

#define MAX_POLL_SPIN 60

int ParseSeconds(const char* text) {
    if (text == NULL) return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) text++;
    int negative = 0;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    // Counted towards the sign, so that the most negative number fits too; a longer run of
    // digits stops at the nearest end of the int range instead of wrapping round.
    int value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        int digit = *text - '0';
        if (negative) {
            value = value < (-0x7FFFFFFF - 1 + digit) / 10 ? -0x7FFFFFFF - 1 : value * 10 - digit;
        } else {
            value = value > (0x7FFFFFFF - digit) / 10 ? 0x7FFFFFFF : value * 10 + digit;
        }
    }
    return value;
}

static int IsChecked(HWND dialog, int controlId) {
    return (int)SendDlgItemMessageA(dialog, controlId, BM_GETCHECK, 0, 0);
}

static void ShowFlag(HWND dialog, int controlId, const char* valueName) {
    SendDlgItemMessageA(dialog, controlId, BM_SETCHECK, ReadFlag(PRODUCT_KEY, valueName), 0);
}

static BOOL OnInitDialog(HWND dialog) {
    ShowFlag(dialog, IDC_SET_POLL, "Poll");
    ShowFlag(dialog, IDC_SET_MINIMIZE, "Minimize");
    ShowFlag(dialog, IDC_SET_AUTOSTART, "AutoStart");
    ShowFlag(dialog, IDC_SET_START_MINIMIZED, "StartMinimized");
    ShowFlag(dialog, IDC_SET_DISABLE_SYSTRAY, "DisableSystray");
    SendDlgItemMessageA(dialog, IDC_SET_POLL_SPIN, UDM_SETRANGE, 0, MAKELPARAM(MAX_POLL_SPIN, 0));
    SendDlgItemMessageA(dialog, IDC_SET_POLL_SPIN, UDM_SETPOS, 0,
                        MAKELPARAM(ReadPollInterval(), 0));
    SendMessageA(dialog, WM_COMMAND, IDC_SET_POLL, 0);  // the polling rule sets the enable state
    // The stored state stays visible even where the box cannot be used.
    if (IsChecked(dialog, IDC_SET_MINIMIZE) == BST_UNCHECKED) {
        EnableWindow(GetDlgItem(dialog, IDC_SET_DISABLE_SYSTRAY), FALSE);
    }
    return TRUE;  // the dialog manager gives the first control the focus
}

// Without the notification area there is nothing to disable the icon of.
static void OnMinimizeClicked(HWND dialog) {
    HWND disable = GetDlgItem(dialog, IDC_SET_DISABLE_SYSTRAY);
    if (IsChecked(dialog, IDC_SET_MINIMIZE) != BST_UNCHECKED) {
        EnableWindow(disable, TRUE);
    } else {
        SendMessageA(disable, BM_SETCHECK, BST_UNCHECKED, 0);
        EnableWindow(disable, FALSE);
    }
}

static void OnDisableSystrayClicked(HWND dialog) {
    if (IsChecked(dialog, IDC_SET_DISABLE_SYSTRAY) != BST_CHECKED) return;
    MessageBoxA(dialog,
                "This will completely hide the Zintar interface when Zintar is minimized, to "
                "reinstate, restart Zintar...",
                "Are you sure?", MB_OK | MB_ICONWARNING);
}

static void OnPollClicked(HWND dialog) {
    BOOL polling = IsChecked(dialog, IDC_SET_POLL) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_SET_POLL_INTERVAL), polling);
    EnableWindow(GetDlgItem(dialog, IDC_SET_POLL_SPIN), polling);
}

// Every step runs even when an earlier one failed: each failure has told the user already.
static void OnOk(HWND dialog) {
    WriteFlag(dialog, PRODUCT_KEY, "Poll", IDC_SET_POLL);
    WriteFlag(dialog, PRODUCT_KEY, "Minimize", IDC_SET_MINIMIZE);
    WriteFlag(dialog, PRODUCT_KEY, "AutoStart", IDC_SET_AUTOSTART);
    WriteFlag(dialog, PRODUCT_KEY, "DisableSystray", IDC_SET_DISABLE_SYSTRAY);
    WriteFlag(dialog, PRODUCT_KEY, "StartMinimized", IDC_SET_START_MINIMIZED);
    // The typed number is taken as it is, even outside what the arrows reach.
    char* text = ReadControlText(dialog, IDC_SET_POLL_INTERVAL);
    int seconds = ParseSeconds(text);
    ArmPollTimer(mainWindowHandle, seconds);  // reads the "Poll" flag written above
    WritePollInterval(seconds);
    FreeText(text);
    if (IsChecked(dialog, IDC_SET_AUTOSTART) == BST_CHECKED) {
        CreateStartupShortcut();
    } else {
        RemoveStartupShortcut();
    }
    EndDialog(dialog, IDOK);
}

static INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND:
            switch (wParam) {  // the whole wParam: only clicks (notification code 0) act
                case IDC_SET_MINIMIZE: OnMinimizeClicked(dialog); break;
                case IDC_SET_DISABLE_SYSTRAY: OnDisableSystrayClicked(dialog); break;
                case IDC_SET_POLL: OnPollClicked(dialog); break;
                case IDOK: OnOk(dialog); break;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); break;  // also Esc and the close box
            }
            return FALSE;
    }
    return FALSE;  // never DefWindowProc in a dialog procedure
}

void RunSettingsDialog(HWND owner) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc, 0);
}
