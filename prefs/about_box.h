// The About box: version from the program's own resource, and the support link.
#pragma once
#include <windows.h>

#define SUPPORT_LINK "mailto:support@orvane.example?Subject=support"

// The running program's whole path as a new heap text (free with FreeText), or NULL.
char* OwnProgramPath();
// Returns out (outSize bytes) holding the file's FileVersion text, or a shared empty text.
const char* FileVersionText(const char* path, char* out, int outSize);
// Asks the shell to open link; 0 when the temporary probe file cannot be made.
int OpenLink(HWND owner, const char* link);
void RunAboutBox(HWND owner);
