// bindings/attributes_dialog.cpp: adding and editing one hot key. (The dialog lands later.)
#include "attributes_dialog.h"

int editIndex = -1;
KeyBinding* editBinding = NULL;

char* ReadControlText(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    int length = GetWindowTextLengthA(control);
    char* text = NewTextBuffer(length);
    if (text != NULL && length > 0) GetWindowTextA(control, text, length + 1);
    return text;
}

void RunAddDialog(HWND) {}
void RunEditDialog(HWND) {}
