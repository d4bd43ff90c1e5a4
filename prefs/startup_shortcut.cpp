// prefs/startup_shortcut.cpp: the Startup folder shortcut. (The shortcut lands later.)
#include "startup_shortcut.h"

int StartupFolderPath(char*) {
    return 0;
}
HRESULT CreateShellLink(const char*, const char*, const char*) {
    return E_NOTIMPL;
}
int CreateStartupShortcut() {
    return 1;
}
int RemoveStartupShortcut() {
    return 1;
}
