// prefs/about_box.cpp: the About box. (The box lands later.)
#include "about_box.h"

const char* FileVersionText(const char*, char*, int) {
    return "";
}
int OpenLink(HWND, const char*) {
    return 0;
}
void RunAboutBox(HWND) {}
