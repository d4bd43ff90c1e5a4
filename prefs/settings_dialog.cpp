// prefs/settings_dialog.cpp: the options dialog. (The dialog lands later.)
#include "settings_dialog.h"

void RunSettingsDialog(HWND) {}
