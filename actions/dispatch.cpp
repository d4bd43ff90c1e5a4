// actions/dispatch.cpp: what a pressed hot key does. (The actions land later.)
#include "dispatch.h"
#include "../res/resource.h"

const PlayerCommandWord PLAYER_COMMANDS[PLAYER_COMMAND_COUNT] = {
    {"PREV", IDC_PLAYER_PREV, 40044},       {"STOP", IDC_PLAYER_STOP, 40047},
    {"VOLUP", IDC_PLAYER_VOLUP, 40058},     {"FWD", IDC_PLAYER_FWD, 40060},
    {"NEXT", IDC_PLAYER_NEXT, 40048},       {"PLAY", IDC_PLAYER_PLAY, 40045},
    {"VOLDOWN", IDC_PLAYER_VOLDOWN, 40059}, {"REW", IDC_PLAYER_REW, 40061},
    {"LOAD", IDC_PLAYER_LOAD, 40029},       {"PAUSE", IDC_PLAYER_PAUSE, 40046},
    {"TOP", IDC_PLAYER_TOP, 40019},         {"FADE", IDC_PLAYER_FADE, 40147},
};

void DispatchBinding(WPARAM) {}
void SendPlayerCommand(const char*) {}
