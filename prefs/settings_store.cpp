// prefs/settings_store.cpp: the options under the product key. Nothing is cached: every reader
// asks the registry again, so a change takes effect at the next read.
#include "settings_store.h"

void ShowErrorMessage(const char* text) {
    MessageBoxA(NULL, text, "Error", MB_OK | MB_ICONWARNING);
}

// Opens (creating it when absent) a key under HKEY_CURRENT_USER; NULL after the message.
static HKEY OpenKey(const char* keyPath) {
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS) {
        ShowErrorMessage("Could not open registry key.");
        return NULL;
    }
    return key;
}

int ReadFlag(const char* keyPath, const char* valueName) {
    HKEY key = OpenKey(keyPath);
    if (key == NULL) return FlagOff;
    BYTE data[1000] = {};
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, valueName, NULL, NULL, data, &size);
    RegCloseKey(key);
    // Only the first byte counts; missing, empty or unreadable values are off.
    if (result != ERROR_SUCCESS || size == 0) return FlagOff;
    if (data[0] == '1') return FlagOn;
    if (data[0] == '2') return FlagIndeterminate;
    return FlagOff;
}

void WriteFlag(HWND dialog, const char* keyPath, const char* valueName, int controlId) {
    HKEY key = OpenKey(keyPath);
    if (key == NULL) return;
    LRESULT state = SendMessageA(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0);
    char digit = '0';
    if (state == BST_CHECKED) digit = '1';
    if (state == BST_INDETERMINATE) digit = '2';
    // One byte and no terminator: the format earlier versions wrote and read.
    if (RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE*)&digit, 1) != ERROR_SUCCESS) {
        ShowErrorMessage("Could not write value to registy.");
    }
    RegCloseKey(key);
}

int ReadPollInterval() {
    HKEY key = OpenKey(PRODUCT_KEY);
    if (key == NULL) return DEFAULT_POLL_INTERVAL;
    INT32 seconds = 0;
    DWORD size = sizeof seconds;
    LONG result = RegQueryValueExA(key, "PollInterval", NULL, NULL, (BYTE*)&seconds, &size);
    RegCloseKey(key);
    // A shorter value is as good as missing: its missing bytes would be guesses.
    if (result != ERROR_SUCCESS || size != sizeof seconds) return DEFAULT_POLL_INTERVAL;
    return seconds;
}

int WritePollInterval(int seconds) {
    HKEY key = OpenKey(PRODUCT_KEY);
    if (key == NULL) return 0;
    INT32 value = seconds;
    LONG result =
        RegSetValueExA(key, "PollInterval", 0, REG_BINARY, (const BYTE*)&value, sizeof value);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        ShowErrorMessage("Could not write value to registy.");
        return 0;
    }
    return 1;
}
