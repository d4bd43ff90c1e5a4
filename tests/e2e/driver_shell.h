// The driver's view of the shell side of Zintar: its tray icon, its pop-up menu, the Startup
// folder and the programs the shell starts for it.
#pragma once
#include <windows.h>
#include <string>
#include "driver.h"
#include "tests/common/shell_helpers.h"

namespace driver {

constexpr UINT kTrayNotify = WM_APP + 100;
constexpr UINT kTrayIconId = WM_APP + 200;

// Waits until the desktop answers messages. Under load the desktop's first start can take longer
// than a single wait of the driver (its shell services start with it); a test program asks once,
// before its first scenario, with a long deadline.
bool WaitForDesktop(DWORD timeoutMs = 60000);

// True while Zintar's icon sits in the notification area: the shell accepts a change to an icon
// only while it exists.
bool TrayIconExists(HWND mainWindow);
// The visible pop-up menu ("#32768") of the process, or NULL.
HWND FindPopupMenu(DWORD processId);
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs = kDeadline);
// Works an open pop-up menu with its keys, as the user would from the keyboard.
void PressMenuKey(HWND menu, WORD virtualKey);

// The Startup folder as the Shell Folders key names it, and the shortcut Zintar keeps there.
std::string StartupFolder();
std::string StartupLinkPath();

// Waits until the recording fixture has written its file; "" when it never does.
std::string WaitForRecord(const std::string& recordPath, DWORD timeoutMs = kDeadline);

}  // namespace driver
