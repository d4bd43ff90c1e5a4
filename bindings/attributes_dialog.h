// The dialog that adds a hot key or edits one.
#pragma once
#include <windows.h>
#include "binding_list.h"

#define SCREEN_SAVER_NAME "Screen Saver"

// The hot-key control's rules: no modifier and ALT alone are invalid, and get CONTROL + ALT.
#define HOTKEY_INVALID_COMBINATIONS (HKCOMB_NONE | HKCOMB_A)
#define HOTKEY_REPLACEMENT_MODIFIERS (HOTKEYF_CONTROL | HOTKEYF_ALT)

#define NO_ACTION_RADIO 32     // SelectedActionRadio when no action is checked
#define PLAYER_WORD_SIZE 12    // the longest player word fits with room to spare
#define PROGRAM_PATH_SIZE 260  // the open-file dialog's buffer
// The longest name the dialog accepts. Some systems convert an ANSI registry path in a buffer of
// MAX_PATH characters, so "Software\Orvane\Zintar\Data\" and the name must fit in that too.
#define MAX_NAME_LENGTH 232

extern int editIndex;            // the main list line the edit mode was opened on
extern KeyBinding* editBinding;  // the binding of that line

char* ReadControlText(HWND dialog, int controlId);  // a new heap text; free with FreeText
int SelectedActionRadio(HWND dialog);               // 1018..1021, or NO_ACTION_RADIO
char* SelectedPlayerWord(HWND dialog);              // a new text: the checked word, or empty
void CheckPlayerRadio(HWND dialog, const char* word);
void EnablePlayerRadios(HWND dialog, BOOL enable);
// Runs the open-file dialog for a program; 1 with the chosen path in path (PROGRAM_PATH_SIZE).
int BrowseForProgram(HWND dialog, char* path);
// The launch edit's text for a chosen program: quoted when the path holds a space, since the
// command line would otherwise end at that space. 0 when it does not fit in size bytes.
int QuoteProgramPath(const char* path, char* out, int size);
// 1 when the name can be stored as one registry key of its own, on every system.
int IsAcceptableName(const char* name);
// The first binding other than except whose name the registry would take for this one: equal,
// or equal but for letter case. NULL when there is none.
KeyBinding* FindNameClash(const char* name, const KeyBinding* except);

INT_PTR CALLBACK AddDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void RunAddDialog(HWND owner);
void RunEditDialog(HWND owner);
