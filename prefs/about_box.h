// The About box: version from the program's own resource, and the support link.
#pragma once
#include <windows.h>

#define SUPPORT_LINK "mailto:support@orvane.example?Subject=support"

// Returns out (outSize bytes) holding the file's FileVersion text, or a shared empty text.
const char* FileVersionText(const char* path, char* out, int outSize);
int OpenLink(HWND owner, const char* link);
void RunAboutBox(HWND owner);
