// actions/window_hider.cpp: hides the first window whose title holds a binding's text, shows it
// again when the binding's key is pressed, re-applies the hiding on the polling timer and gives
// every held window back at exit.
#include "window_hider.h"
#include "../prefs/settings_store.h"

KeyBinding* pollBinding = NULL;

// Byte for byte and case-sensitive, anywhere in the title; the caller rules out an empty text.
static int TitleContains(const char* title, const char* text) {
    for (; *title != '\0'; title++) {
        const char* t = title;
        const char* s = text;
        while (*s != '\0' && *t == *s) {
            t++;
            s++;
        }
        if (*s == '\0') return 1;
    }
    return 0;
}

// The state is taken before the window is touched: hiding a window of another program can let
// a message reach us in the meantime, and a pass run from there must see this window as held.
static BOOL HideMatch(KeyBinding* binding, HWND window) {
    if (binding->isHidden) return TRUE;  // one window per binding; this match stays as it is
    binding->hiddenWindow = window;
    binding->isHidden = 1;
    ShowWindow(window, SW_HIDE);
    return FALSE;
}

static BOOL ShowHeld(KeyBinding* binding) {
    if (!binding->isHidden) return TRUE;  // nothing held, nothing to show
    HWND held = binding->hiddenWindow;
    binding->hiddenWindow = NULL;
    binding->isHidden = 0;
    // A window closed while hidden is gone for good; its handle must not bring forward
    // whatever window might carry it now.
    if (IsWindow(held)) {
        ShowWindow(held, SW_SHOWNA);
        SetForegroundWindow(held);
    }
    return FALSE;
}

BOOL CALLBACK WindowHider(HWND window, LPARAM) {
    KeyBinding* binding = pollBinding;
    if (binding == NULL) return FALSE;
    char title[TITLE_BUFFER_SIZE] = {};
    GetWindowTextA(window, title, TITLE_BUFFER_SIZE - 1);
    if (title[0] == '\0') return TRUE;
    if (binding->command[0] == '\0') return TRUE;
    if (!TitleContains(title, binding->command)) return TRUE;
    // The match is only the occasion to show: what comes back is the window this binding hid.
    return binding->hideMode ? HideMatch(binding, window) : ShowHeld(binding);
}

void HidePoll() {
    KeyBinding* outer = pollBinding;  // a pass may start inside another one's enumeration
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (binding->type != HideWindow) continue;
        pollBinding = binding;
        EnumWindows(WindowHider, 0);
    }
    pollBinding = outer;
}

void ArmPollTimer(HWND mainWindow, int seconds) {
    // Read at every call: the settings dialog writes the flag just before it re-arms the timer.
    if (ReadFlag(PRODUCT_KEY, "Poll") == FlagOn) {
        SetTimer(mainWindow, HIDE_TIMER_ID, (UINT)seconds * 1000, NULL);
    } else {
        KillTimer(mainWindow, HIDE_TIMER_ID);
    }
}

// No window may stay invisible once the program that hid it has gone.
void RestoreHiddenWindows() {
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (binding->type != HideWindow || !binding->isHidden) continue;
        if (IsWindow(binding->hiddenWindow)) ShowWindow(binding->hiddenWindow, SW_SHOWNORMAL);
        binding->isHidden = 0;
        binding->hiddenWindow = NULL;
    }
}
