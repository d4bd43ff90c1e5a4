// The bindings in the registry: HKCU\Software\Orvane\Zintar\Data\<name> with type, keycode,
// command.
#pragma once
#include <windows.h>

#define KEY_PATH_SIZE 1000
#define COMMAND_READ_SIZE 260
#define MAX_KEY_NAME_LENGTH 255  // the registry's limit for one key name, in characters

int LoadBindings();
int SaveBindings();
LONG DeleteKeyTree(HKEY parent, const char* name);
char* TrimLeft(char* text);
int TrimRight(char* text);

// 1 when name can stand as one sub-key of the Data key: not empty, no backslash, short enough.
int IsStorableName(const char* name);
// Forgets the stored bindings that the last load did not reach (they are kept across saves).
void ForgetUnloadedBindings();
