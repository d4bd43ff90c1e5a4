// The driver's view of the shell side of Zintar.
#include "driver_shell.h"

#include <shellapi.h>

namespace driver {

bool TrayIconExists(HWND mainWindow) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = mainWindow;
    record.uID = kTrayIconId;
    record.uFlags = 0;  // changes nothing: only asks whether the icon is there
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

HWND FindPopupMenu(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, "#32768")) {
        if (IsWindowVisible(window)) return window;
    }
    return NULL;
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) {
    HWND menu = NULL;
    WaitFor([&] { return (menu = FindPopupMenu(processId)) != NULL; }, timeoutMs);
    return menu;
}

void PressMenuKey(HWND menu, WORD virtualKey) {
    // The menu's own loop reads the keys from its thread's queue, whichever window has the focus.
    UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(menu, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(menu, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void PressButton(HWND dialog, int controlId) {
    PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

bool HasAnyMessageBox(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, "#32770")) {
        if (IsMessageBox(window)) return true;
    }
    return false;
}

void Settle(HWND window) {
    Send(window, WM_NULL);
}

std::map<std::string, RawValue> ValuesOf(const std::string& path) {
    std::map<std::string, RawValue> values;
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; index++) {
        char name[1024] = {};
        DWORD nameSize = sizeof name;
        BYTE data[4096] = {};
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, NULL, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        values[name] = RawValue{type, std::vector<BYTE>(data, data + dataSize)};
    }
    RegCloseKey(key);
    return values;
}

std::string StartupFolder() {
    std::vector<BYTE> data;
    if (!ReadValue("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   "Startup", &data)) {
        return "";
    }
    std::string folder(data.begin(), data.end());
    while (!folder.empty() && folder.back() == '\0') folder.pop_back();
    return folder;
}

std::string StartupLinkPath() {
    return StartupFolder() + "\\Zintar.lnk";
}

std::string WaitForRecord(const std::string& recordPath, DWORD timeoutMs) {
    if (!WaitFor([&] { return shellhelp::FileExists(recordPath); }, timeoutMs)) return "";
    return shellhelp::ReadWholeFile(recordPath);
}

}  // namespace driver
