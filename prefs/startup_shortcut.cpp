// prefs/startup_shortcut.cpp: Zintar.lnk in the user's Startup folder, so Zintar runs at log-on.
#include <windows.h>
#include <shlobj.h>
#include "../bindings/binding_list.h"
#include "settings_store.h"
#include "startup_shortcut.h"

#define SHELL_FOLDERS_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
#define LINK_DESCRIPTION "Zintar"

static void ShowShortcutFailure(const char* text) {
    MessageBoxA(NULL, text, "Poop!", MB_OK | MB_ICONWARNING);
}

int StartupFolderPath(char* buffer) {
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS) {
        ShowErrorMessage("Could not open registry key.");
        return 0;
    }
    DWORD size = MAX_PATH;
    LONG result = RegQueryValueExA(key, "Startup", NULL, NULL, (BYTE*)buffer, &size);
    RegCloseKey(key);
    // Stored data need not end with a terminator; one that fills the whole buffer without it
    // cannot be read as a path at all.
    if (result == ERROR_SUCCESS && size > 0 && buffer[size - 1] != '\0') {
        if (size < MAX_PATH) {
            buffer[size] = '\0';
        } else {
            result = ERROR_MORE_DATA;
        }
    }
    if (result != ERROR_SUCCESS) {
        buffer[0] = '\0';
        ShowErrorMessage("Could not get data from registry key.");
        return 0;
    }
    if (size == 0) buffer[0] = '\0';
    return 1;
}

HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description) {
    HRESULT initialized = CoInitialize(NULL);
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      (void**)&link);
    if (SUCCEEDED(result)) {
        result = link->QueryInterface(IID_IPersistFile, (void**)&file);
        if (FAILED(result)) link->Release();
    }
    if (SUCCEEDED(result)) {
        // Either failure is told, and the link is still saved with whatever it holds.
        if (FAILED(link->SetPath(targetPath))) MessageBoxA(NULL, "SetPath failed!", "Error", MB_OK);
        if (FAILED(link->SetDescription(description))) {
            MessageBoxA(NULL, "SetDescription failed!", "Error", MB_OK);
        }
        WCHAR widePath[MAX_PATH] = {};
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) {
            result = HRESULT_FROM_WIN32(GetLastError());  // a path that does not fit is not saved
        } else {
            result = file->Save(widePath, TRUE);
        }
        file->Release();
        link->Release();
    }
    // A thread already in another apartment kind keeps it; only a balanced call is undone.
    if (SUCCEEDED(initialized)) CoUninitialize();
    return result;
}

// Builds Startup folder + "\Zintar.lnk" in a MAX_PATH buffer; 0 (message shown by the folder
// lookup, or nothing yet) when the folder is unknown or the whole path does not fit.
static int StartupLinkPath(char* linkPath) {
    if (!StartupFolderPath(linkPath)) return 0;
    return AppendText(linkPath, MAX_PATH, LINK_FILE_NAME);
}

int CreateStartupShortcut() {
    char ownPath[MAX_PATH] = {};
    char linkPath[MAX_PATH] = {};
    // A result that fills the buffer means the path was cut: a link to it would point nowhere.
    DWORD length = GetModuleFileNameA(NULL, ownPath, MAX_PATH - 1);
    if (length == 0 || length >= MAX_PATH - 1 || !StartupLinkPath(linkPath)) {
        ShowShortcutFailure("Could not create the startup shortcut...");
        return 0;
    }
    DeleteFileA(linkPath);  // a missing link is no error
    CreateShellLink(ownPath, linkPath, LINK_DESCRIPTION);
    return 1;
}

int RemoveStartupShortcut() {
    char linkPath[MAX_PATH] = {};
    if (!StartupLinkPath(linkPath)) {
        ShowShortcutFailure("Could not remove the startup shortcut...");
        return 0;
    }
    DeleteFileA(linkPath);  // nothing to remove is no error
    return 1;
}
