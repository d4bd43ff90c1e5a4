// The bindings of the running program: one record per hot key, kept in one list.
#pragma once
#include <windows.h>
#include <commctrl.h>

enum ActionType { ScreenSaver = 0, HideWindow = 1, LaunchApp = 2, PlayerCommand = 3 };

struct KeyBinding {
    int type;           // an ActionType; stored values outside 0..3 are kept and do nothing
    UINT keycode;       // hot-key control value: virtual key in bits 0-7, HOTKEYF_* in bits 8-15
    int id;             // registration id, never 0
    char* name;         // owned, never empty
    char* command;      // owned, may be empty
    HWND hiddenWindow;  // the window this binding hides, or NULL
    int hideMode;       // non-zero: hide on the next pass; 0: show again
    int isHidden;       // 1 while hiddenWindow holds a window that this binding hid
    KeyBinding* next;
};

#define FIRST_BINDING_ID 1147

extern KeyBinding* BindingList;  // head of the list, newest first
extern int nextBindingId;

// Heap texts: every binding owns its name and command.
// A copy of length bytes of source plus a NUL; NULL on failure.
char* NewText(const char* source, int length);
// length + 1 zero bytes, to be filled by a read of at most length characters; NULL on failure.
char* NewTextBuffer(int length);
char* CopyText(const char* source);
void FreeText(char* text);
// Appends source to the NUL-terminated text in buffer; returns 0 (and leaves buffer as it was)
// when the result would not fit in size bytes.
int AppendText(char* buffer, int size, const char* source);

// A new record with the initial hiding state and copies of name and command; NULL on failure.
KeyBinding* NewBinding(int type, UINT keycode, const char* name, const char* command);
void FreeBinding(KeyBinding* binding);

UINT ModifierMap(UINT modifierByte);  // HOTKEYF_* byte to MOD_* flags
int RegisterBinding(UINT keycode, int id);
int PushBinding(KeyBinding* binding);
KeyBinding* FindBinding(const char* name, int id);
void RemoveBinding(const char* name);
void ReleaseAllBindings();
