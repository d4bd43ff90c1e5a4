// prefs/settings_store.cpp: the options in the registry. (The store lands next.)
#include "settings_store.h"

void ShowErrorMessage(const char* text) {
    MessageBoxA(NULL, text, "Error", MB_OK | MB_ICONWARNING);
}

int ReadFlag(const char*, const char*) { return FlagOff; }
void WriteFlag(HWND, const char*, const char*, int) {}
int ReadPollInterval() { return DEFAULT_POLL_INTERVAL; }
int WritePollInterval(int) { return 1; }
