// Driving the attributes dialog and the open-file dialog of a running Zintar from outside.
#pragma once
#include <windows.h>
#include <string>
#include "driver.h"

namespace driver {

extern const char* const kAttributesTitle;  // "Zintar Attributes..."

// Posts the Add button to the main window and waits for the attributes dialog; NULL when none.
HWND OpenAddDialog(HWND mainWindow, DWORD processId);
// Selects the one line (with the caret on it) and posts the Edit button; waits for the dialog.
HWND OpenEditDialog(HWND mainWindow, DWORD processId, int line);
// The line of the main list that shows exactly this name, or -1.
int LineOf(HWND mainWindow, const std::string& name);

// The window that has the keyboard focus on the thread of window.
HWND FocusedWindow(HWND window);
// Moves the dialog's focus to the control, as Tab would, and waits until it is there.
bool FocusControl(HWND dialog, int controlId);
// Makes the window the foreground window, so that SendInput reaches it.
bool BringToFront(HWND window);

UINT HotKeyValue(HWND dialog);  // HKM_GETHOTKEY of the hot-key control 1004
void SetHotKeyValue(HWND dialog, UINT keycode);
bool IsChecked(HWND dialog, int controlId);
bool IsControlEnabled(HWND dialog, int controlId);
// Posts OK (or any button) to a dialog and waits until the dialog is gone; false if it stays.
bool ClickAndWaitClosed(HWND dialog, int controlId);

// Waits for a message box owned by the window. The attributes dialog's frames carry the id
// 0xFFFF too, so a message box is told by its owner and by the text static of that id.
MessageBoxInfo WaitForMessageBoxOf(HWND owner, DWORD timeoutMs = kDeadline);

// The open-file dialog's file name edit, inside the ComboBoxEx32 with id 0x47C.
HWND FileNameEdit(HWND openDialog);

// Holds a combination in the test's own thread, so that Zintar cannot register it.
class HeldCombination {
public:
    explicit HeldCombination(UINT keycode);
    ~HeldCombination();
    bool held() const { return held_; }

private:
    bool held_ = false;
};

// A binding of the given name is stored in the registry (exactly that sub-key name).
bool IsStored(const std::string& name);

}  // namespace driver
