// The dialog that adds a hot key or edits one.
#pragma once
#include <windows.h>
#include "binding_list.h"

#define SCREEN_SAVER_NAME "Screen Saver"

extern int editIndex;            // the main list line the edit mode was opened on
extern KeyBinding* editBinding;  // the binding of that line

char* ReadControlText(HWND dialog, int controlId);  // a new heap text; free with FreeText
void RunAddDialog(HWND owner);
void RunEditDialog(HWND owner);
