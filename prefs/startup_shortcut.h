// Zintar.lnk in the user's Startup folder.
#pragma once
#include <windows.h>

#define LINK_FILE_NAME "\\Zintar.lnk"

int StartupFolderPath(char* buffer);  // buffer of MAX_PATH bytes
HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description);
int CreateStartupShortcut();
int RemoveStartupShortcut();
