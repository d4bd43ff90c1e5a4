// The bindings in the registry: HKCU\Software\Orvane\Zintar\Data\<name> with type, keycode, command.
#pragma once
#include <windows.h>

#define KEY_PATH_SIZE 1000
#define COMMAND_READ_SIZE 260

int LoadBindings();
int SaveBindings();
LONG DeleteKeyTree(HKEY parent, const char* name);
char* TrimLeft(char* text);
int TrimRight(char* text);
