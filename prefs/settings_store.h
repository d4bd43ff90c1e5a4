// The options in HKCU\Software\Orvane\Zintar: one-digit flags and the polling interval.
#pragma once
#include <windows.h>

#define PRODUCT_KEY "Software\\Orvane\\Zintar"
#define DEFAULT_POLL_INTERVAL 5

enum OptionFlag { FlagOff = 0, FlagOn = 1, FlagIndeterminate = 2 };

// The one way registry, memory and version failures are told: no owner, "Error", warning icon.
void ShowErrorMessage(const char* text);

int ReadFlag(const char* keyPath, const char* valueName);
void WriteFlag(HWND dialog, const char* keyPath, const char* valueName, int controlId);
int ReadPollInterval();
int WritePollInterval(int seconds);
