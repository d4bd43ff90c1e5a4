// actions/dispatch.cpp: what a pressed hot key does: start the screen saver, show or hide a
// window, launch a command line, or send a command to the media player.
#include "dispatch.h"
#include "../res/resource.h"
#include "../app/main_window.h"
#include "../bindings/binding_list.h"

// How long one command may wait for the player. A player that has stopped answering must not
// hold up the hot keys, the hiding timer and the main window with it.
#define PLAYER_SEND_TIMEOUT_MS 3000

const PlayerCommandWord PLAYER_COMMANDS[PLAYER_COMMAND_COUNT] = {
    {"PREV", IDC_PLAYER_PREV, 40044},       {"STOP", IDC_PLAYER_STOP, 40047},
    {"VOLUP", IDC_PLAYER_VOLUP, 40058},     {"FWD", IDC_PLAYER_FWD, 40060},
    {"NEXT", IDC_PLAYER_NEXT, 40048},       {"PLAY", IDC_PLAYER_PLAY, 40045},
    {"VOLDOWN", IDC_PLAYER_VOLDOWN, 40059}, {"REW", IDC_PLAYER_REW, 40061},
    {"LOAD", IDC_PLAYER_LOAD, 40029},       {"PAUSE", IDC_PLAYER_PAUSE, 40046},
    {"TOP", IDC_PLAYER_TOP, 40019},         {"FADE", IDC_PLAYER_FADE, 40147},
};

// Whole strings, byte for byte: "play" is not "PLAY".
static int SameWord(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        a++;
        b++;
    }
    return *a == *b;
}

void SendPlayerCommand(const char* command) {
    HWND player = FindWindowA(PLAYER_WINDOW_CLASS, NULL);
    if (player == NULL) return;  // no player running: nothing to tell anyone
    for (int i = 0; i < PLAYER_COMMAND_COUNT; i++) {
        if (!SameWord(command, PLAYER_COMMANDS[i].word)) continue;
        DWORD_PTR result = 0;
        SendMessageTimeoutA(player, WM_COMMAND, PLAYER_COMMANDS[i].commandId, 0, SMTO_ABORTIFHUNG,
                            PLAYER_SEND_TIMEOUT_MS, &result);
    }
}

static void StartScreenSaver() {
    // The pause lets the user's hands leave the keys, which would end the screen saver at once.
    Sleep(SCREEN_SAVER_DELAY_MS);
    SendMessageA(mainWindowHandle, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

static void ToggleHiding(KeyBinding* binding) {
    binding->hideMode = !binding->hideMode;
    // The pass runs now, over every hiding binding, so the press shows before this returns.
    SendMessageA(mainWindowHandle, WM_TIMER, 0, 0);
}

void DispatchBinding(WPARAM id) {
    KeyBinding* binding = FindBinding("", (int)id);
    if (binding == NULL) return;
    switch (binding->type) {
        case ScreenSaver: StartScreenSaver(); break;
        case HideWindow: ToggleHiding(binding); break;
        case LaunchApp: WinExec(binding->command, SW_SHOWNORMAL); break;
        case PlayerCommand: SendPlayerCommand(binding->command); break;
    }
}
