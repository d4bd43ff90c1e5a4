// The driver's view of the shell side of Zintar: its tray icon, its pop-up menu, the Startup
// folder and the programs the shell starts for it.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "driver.h"
#include "tests/common/shell_helpers.h"

namespace driver {

constexpr UINT kTrayNotify = WM_APP + 100;
constexpr UINT kTrayIconId = WM_APP + 200;

// True while Zintar's icon sits in the notification area: the shell accepts a change to an icon
// only while it exists.
bool TrayIconExists(HWND mainWindow);
// The visible pop-up menu ("#32768") of the process, or NULL.
HWND FindPopupMenu(DWORD processId);
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs = kDeadline);
// Works an open pop-up menu with its keys, as the user would from the keyboard.
void PressMenuKey(HWND menu, WORD virtualKey);

// Clicks a button as the mouse would (BM_CLICK, posted): an auto check box changes its state and
// tells its dialog, which may then open a message box without blocking the driver.
void PressButton(HWND dialog, int controlId);
// A message box of the process, shown yet or still being created.
bool HasAnyMessageBox(DWORD processId);
// Lets the process finish what it was doing: returns once its thread handles a message again.
void Settle(HWND window);

// Every value under a key of HKEY_CURRENT_USER: name, then type and bytes.
struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RawValue& other) const {
        return type == other.type && data == other.data;
    }
};
std::map<std::string, RawValue> ValuesOf(const std::string& path);

// The Startup folder as the Shell Folders key names it, and the shortcut Zintar keeps there.
std::string StartupFolder();
std::string StartupLinkPath();

// Waits until the recording fixture has written its file; "" when it never does.
std::string WaitForRecord(const std::string& recordPath, DWORD timeoutMs = kDeadline);

}  // namespace driver
