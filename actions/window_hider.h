// Hiding windows by title, the polling timer that re-applies it, and the restore at exit.
#pragma once
#include <windows.h>
#include "../bindings/binding_list.h"

#define HIDE_TIMER_ID 0
#define TITLE_BUFFER_SIZE 1000

extern KeyBinding* pollBinding;  // the binding the current enumeration works for

void HidePoll();
BOOL CALLBACK WindowHider(HWND window, LPARAM parameter);
void ArmPollTimer(HWND mainWindow, int seconds);
void RestoreHiddenWindows();
