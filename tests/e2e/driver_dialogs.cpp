// Driving the attributes dialog and the open-file dialog of a running Zintar from outside.
#include "driver_dialogs.h"

#include <algorithm>

namespace driver {

const char* const kAttributesTitle = "Zintar Attributes...";

HWND OpenAddDialog(HWND mainWindow, DWORD processId) {
    Click(mainWindow, 1);  // posted: the dialog's modal loop must not hold the driver
    return WaitForDialog(processId, kAttributesTitle);
}

HWND OpenEditDialog(HWND mainWindow, DWORD processId, int line) {
    SelectLines(MainList(mainWindow), {line});
    Click(mainWindow, 2);
    return WaitForDialog(processId, kAttributesTitle);
}

int LineOf(HWND mainWindow, const std::string& name) {
    std::vector<std::string> lines = ListLines(MainList(mainWindow));
    auto found = std::find(lines.begin(), lines.end(), name);
    return found == lines.end() ? -1 : (int)(found - lines.begin());
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &gui)) return NULL;
    return gui.hwndFocus;
}

bool FocusControl(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    PostMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)control, TRUE);
    return WaitFor([&] { return FocusedWindow(dialog) == control; });
}

bool BringToFront(HWND window) {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; });
}

UINT HotKeyValue(HWND dialog) {
    return (UINT)Send(GetDlgItem(dialog, 1004), HKM_GETHOTKEY) & 0xFFFF;
}

void SetHotKeyValue(HWND dialog, UINT keycode) {
    Send(GetDlgItem(dialog, 1004), HKM_SETHOTKEY, keycode);
}

bool IsChecked(HWND dialog, int controlId) {
    return CheckState(GetDlgItem(dialog, controlId)) == BST_CHECKED;
}

bool IsControlEnabled(HWND dialog, int controlId) {
    return IsEnabled(GetDlgItem(dialog, controlId));
}

bool ClickAndWaitClosed(HWND dialog, int controlId) {
    Click(dialog, controlId);
    return WaitForWindowGone(dialog);
}

static bool IsMessageBoxOf(HWND window, HWND owner) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != owner) return false;
    HWND text = GetDlgItem(window, 0xFFFF);
    char className[64] = {};
    if (text == NULL || !GetClassNameA(text, className, sizeof className)) return false;
    return lstrcmpiA(className, "Static") == 0 && GetDlgItem(window, 0x47C) == NULL;
}

MessageBoxInfo WaitForMessageBoxOf(HWND owner, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(owner, &processId);
    MessageBoxInfo info;
    WaitFor(
        [&] {
            for (HWND window : TopLevelWindows(processId, "#32770")) {
                if (IsMessageBoxOf(window, owner)) {
                    info.window = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return DescribeMessageBox(info.window);
}

HWND FileNameEdit(HWND openDialog) {
    HWND combo = GetDlgItem(openDialog, 0x47C);
    if (combo == NULL) return NULL;
    HWND edit = FindWindowExA(combo, NULL, "Edit", NULL);
    if (edit != NULL) return edit;
    HWND inner = FindWindowExA(combo, NULL, "ComboBox", NULL);  // the edit may sit one level down
    return inner != NULL ? FindWindowExA(inner, NULL, "Edit", NULL) : NULL;
}

HeldCombination::HeldCombination(UINT keycode) {
    UINT modifierByte = (keycode >> 8) & 0xFF;
    UINT modifiers = 0;
    if (modifierByte & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (modifierByte & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (modifierByte & HOTKEYF_ALT) modifiers |= MOD_ALT;
    held_ = RegisterHotKey(NULL, 0xBE00, modifiers, keycode & 0xFF) != FALSE;
}

HeldCombination::~HeldCombination() {
    if (held_) UnregisterHotKey(NULL, 0xBE00);
}

bool IsStored(const std::string& name) {
    std::vector<std::string> names = SubKeys(std::string(kProductKey) + "\\Data");
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace driver
