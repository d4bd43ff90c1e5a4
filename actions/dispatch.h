// What a pressed hot key does.
#pragma once
#include <windows.h>

#define SCREEN_SAVER_DELAY_MS 250
#define PLAYER_WINDOW_CLASS "Winamp v1.x"
#define PLAYER_COMMAND_COUNT 12

struct PlayerCommandWord {
    const char* word;  // stored as the binding's command, and its name
    int radioId;       // the attributes dialog's radio
    WPARAM commandId;  // WM_COMMAND id the player accepts
};

extern const PlayerCommandWord PLAYER_COMMANDS[PLAYER_COMMAND_COUNT];

void DispatchBinding(WPARAM id);
void SendPlayerCommand(const char* command);
