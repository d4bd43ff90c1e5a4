// The driver's view of the shell side of Zintar.
#include "driver_shell.h"

#include <shellapi.h>

namespace driver {

bool WaitForDesktop(DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs,
                               &result) != 0;
}

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
